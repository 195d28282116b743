#include "diag/system_info.h"

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/context.h"
#include "platform/machine_facts.h"
#include "ports/launcher_port.h"
#include "ports/user_interface.h"
#include "store/base/codepage.h"
#include "store/base/file_io.h"
#include "store/base/file_names.h"

namespace zrv {
namespace fs = std::filesystem;
namespace {

std::string readLine(const fs::path& p) {
  std::ifstream in(p);
  std::string line;
  std::getline(in, line);
  while (!line.empty() && (line.back() == ' ' || line.back() == '\n'))
    line.pop_back();
  return line;
}

// "key : value" lines (/proc/cpuinfo) or "Key: value kB" (/proc/meminfo): the first value.
std::string field(const std::string& text, const std::string& key) {
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    const auto colon = line.find(':');
    if (colon == std::string::npos) continue;
    std::string name = line.substr(0, colon);
    while (!name.empty() && (name.back() == ' ' || name.back() == '\t'))
      name.pop_back();
    if (name != key) continue;
    std::string value = line.substr(colon + 1);
    value.erase(0, value.find_first_not_of(" \t"));
    return value;
  }
  return "";
}

std::string wholeFile(const fs::path& p) {
  std::ifstream in(p);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

std::uint64_t kB(const std::string& meminfo, const char* key) {
  return std::strtoull(field(meminfo, key).c_str(), nullptr, 10) * 1024;
}

std::string osPrettyName() {
  std::string name = field(wholeFile("/etc/os-release"), "PRETTY_NAME");
  if (name.empty()) {
    std::istringstream in(wholeFile("/etc/os-release"));
    for (std::string line; std::getline(in, line);)
      if (line.rfind("PRETTY_NAME=", 0) == 0) name = line.substr(12);
  }
  if (name.size() >= 2 && name.front() == '"' && name.back() == '"')
    name = name.substr(1, name.size() - 2);
  return name;
}

std::string localTimeZone() {
  std::error_code ec;
  const fs::path target = fs::read_symlink("/etc/localtime", ec);
  if (!ec) {
    const std::string t = target.string();
    const auto at = t.find("zoneinfo/");
    if (at != std::string::npos) return t.substr(at + 9);
  }
  return readLine("/etc/timezone");
}

unsigned leadingNumber(const std::string& text, std::size_t& at) {
  unsigned n = 0;
  while (at < text.size() && text[at] >= '0' && text[at] <= '9')
    n = n * 10 + (text[at++] - '0');
  if (at < text.size() && text[at] == '.') ++at;
  return n;
}

std::string label(const std::string& name) {
  std::string l = name + " = ";
  if (l.size() < 22) l.insert(0, 22 - l.size(), ' ');
  return l;
}

}  // namespace

SystemFacts readSystemFacts(int colourDepth) {
  SystemFacts f;
  const KernelNames k = kernelNames();
  f.kernelRelease = k.release;
  f.kernelVersion = k.version;
  f.machine = k.machine;
  f.prettyName = osPrettyName();
  f.timeZone = localTimeZone();
  f.biosDate = readLine("/sys/class/dmi/id/bios_date");
  f.biosVersion = readLine("/sys/class/dmi/id/bios_version");
  const std::string cpu = wholeFile("/proc/cpuinfo");
  f.cpuName = field(cpu, "model name");
  f.cpuVendor = field(cpu, "vendor_id");
  f.cpuFamily = std::atoi(field(cpu, "cpu family").c_str());
  f.cpuModel = std::atoi(field(cpu, "model").c_str());
  f.cpuStepping = std::atoi(field(cpu, "stepping").c_str());
  f.cpuMHz = std::atof(field(cpu, "cpu MHz").c_str());
  for (std::size_t at = cpu.find("processor"); at != std::string::npos;
       at = cpu.find("\nprocessor", at + 1))
    ++f.processors;
  const std::string mem = wholeFile("/proc/meminfo");
  f.memTotal = kB(mem, "MemTotal");
  f.memAvailable = kB(mem, "MemAvailable");
  f.swapTotal = kB(mem, "SwapTotal");
  f.swapFree = kB(mem, "SwapFree");
  f.commitLimit = kB(mem, "CommitLimit");
  f.committed = kB(mem, "Committed_AS");
  const HostAddress host = hostAddress(std::chrono::seconds(2));
  f.hostName = host.hostName;
  f.ip = host.ip;
  f.nameOfAddress = host.nameOfAddress;
  f.socketsOk = host.ok;
  f.colourDepth = colourDepth;
  return f;
}

TSystemInfo::TSystemInfo(SystemFacts facts) : f_(std::move(facts)) {
  std::size_t at = 0;
  nMajor = leadingNumber(f_.kernelRelease, at);
  nMinor = leadingNumber(f_.kernelRelease, at);
  nBuild = leadingNumber(f_.kernelRelease, at);
  cSP = f_.kernelVersion;
  cIP = f_.ip;
  cSName = f_.hostName;
  cLName = f_.nameOfAddress;
}

bool TSystemInfo::IsWin95() const {
  return nPlatform == 1 && nMajor == 4 && nMinor == 0 && nBuild == 950;
}
bool TSystemInfo::IsWin95SP1() const {
  return nPlatform == 1 && nMajor == 4 && nMinor == 0 && nBuild <= 1080;
}
bool TSystemInfo::IsWin95OSR2() const {
  return nPlatform == 1 && nMajor == 4 && nMinor < 10 && nBuild > 1080;
}
bool TSystemInfo::IsWin98() const {
  return nPlatform == 1 && nMajor == 4 && nMinor == 10 && nBuild == 1998;
}
bool TSystemInfo::IsWin98SP1() const {
  return nPlatform == 1 && nMajor == 4 && nMinor == 10 && nBuild > 1998 && nBuild <= 2183;
}
bool TSystemInfo::IsWin98SE() const {
  return nPlatform == 1 && nMajor == 4 && nMinor == 10 && nBuild > 2183;
}
bool TSystemInfo::IsWinME() const {
  return nPlatform == 1 && nMajor == 4 && nMinor == 90 && nBuild > 2183;
}

std::string TSystemInfo::WinVer() const {
  if (IsWinXP()) return "Windows XP";
  if (IsWin95()) return "Windows 95";
  if (IsWin95SP1()) return "Windows 95 Service Pack 1";
  if (IsWin95OSR2()) return "Windows 95 OSR2";
  if (IsWin98()) return "Windows 98";
  if (IsWin98SP1()) return "Windows 98 Service Pack 1";
  if (IsWin98SE()) return "Windows 98 Second Edition";
  if (IsWinME()) return "Windows ME";
  if (nPlatform == 2 && nMajor == 3 && nMinor == 10) return "Windows NT 3.1";
  if (nPlatform == 2 && nMajor == 3 && nMinor == 50) return "Windows NT 3.5";
  if (nPlatform == 2 && nMajor == 3 && nMinor == 51) return "Windows NT 3.51";
  if (IsWinNT4()) return "Windows NT 4";
  if (IsWin2000()) return "Windows 2000";
  // No Windows family: the system's own name.
  return f_.prettyName;
}

std::string TSystemInfo::VerNum() const {
  std::string v = std::to_string(nMajor) + "." + std::to_string(nMinor) + "." +
                  std::to_string(nBuild) + " " + cSP;
  while (!v.empty() && v.back() == ' ')
    v.pop_back();
  return v;
}

std::string TSystemInfo::ServicePack() const {
  return nPlatform > 1 ? "Service Pack " + std::to_string(0) : "";
}

std::uint64_t TSystemInfo::GetColors() const {
  const int depth = f_.colourDepth > 0 && f_.colourDepth < 64 ? f_.colourDepth : 0;
  return std::uint64_t{1} << depth;
}

bool systemInfo() {
  return TSystemInfo(readSystemFacts(0)).IsWinXP();
}

long roundedToTens(double mhz) {
  return static_cast<long>(std::floor(mhz / 10.0 + 0.5)) * 10;
}

long TSystemInfo::SpeedCPU(int processor) const {
  if (processor < 1 || processor > f_.processors) return 0;
  return roundedToTens(f_.cpuMHz);
}

std::string TSystemInfo::CPU() const {
  return f_.cpuName.empty() ? f_.machine : f_.cpuName;
}

std::string TSystemInfo::CPUIdentifier() const {
  return f_.machine + " Family " + std::to_string(f_.cpuFamily) + " Model " +
         std::to_string(f_.cpuModel) + " Stepping " + std::to_string(f_.cpuStepping);
}

std::uint64_t TSystemInfo::Memory(int n) const {
  constexpr std::uint64_t MB = 1024 * 1024;
  switch (n) {
    case 1:
      return f_.memTotal / MB;
    case 2:
      return f_.memAvailable / MB;
    case 3:
      return f_.swapTotal / MB;
    case 4:
      return f_.swapFree / MB;
    case 5:
      return f_.commitLimit / MB;
    case 6:
      return f_.commitLimit > f_.committed ? (f_.commitLimit - f_.committed) / MB : 0;
    default:
      return 0;
  }
}

std::string sysInfoText(const TSystemInfo& s) {
  std::string t;
  auto line = [&t](const std::string& l) { t += l + "\r\n"; };
  auto method = [&](const std::string& name, const std::string& value) {
    line(label(name) + value);
  };
  line("Data's of TSystemInfo:");
  line("            nOSVers = " + std::to_string(s.nOsVer));
  line("             nMajor = " + std::to_string(s.nMajor));
  line("             nMinor = " + std::to_string(s.nMinor));
  line("             nBuild = " + std::to_string(s.nBuild));
  line("          nPlatform = " + std::to_string(s.nPlatform));
  line("                cSP = " + s.cSP);
  line("(local IP)      cIP = " + s.cIP);
  line("(Host name)  cSName = " + s.cSName);
  line("(Machine ID) cLName = " + s.cLName);
  line("");
  line("Method's of TSystemInfo:");
  method("WinVer()", s.WinVer());
  method("VerNum()", s.VerNum());
  line("");
  method("CPU()", s.CPU());
  method("CPUName()", s.CPUName());
  method("SpeedCPU()", std::to_string(s.SpeedCPU()));
  method("IsDualCPU()", s.IsDualCPU() ? "YES" : "NO");
  method("CPUVendor()", s.CPUVendor());
  method("CPUIdentifier()", s.CPUIdentifier());
  method("WhichNT()", s.WhichNT());
  method("DateSystemBios()", s.DateSystemBios());
  method("NameSystemBios()", s.NameSystemBios());
  method("DateVideoBios()", s.DateVideoBios());
  method("NameVideoBios()", s.NameVideoBios());
  method("Computername()", s.ComputerName());
  method("Servicepack()", s.ServicePack());
  method("TimeZone()", s.TimeZone());
  for (const char* empty :
       {"IEStartPage()", "IEVersion()", "DefBrowser()", "DTWallPaper()", "DirectXVersion()",
        "Ass4Ext('.ZIP')", "App4Ext('.ZIP')", "Icon4Ext('.ZIP')", "BootDir()"})
    method(empty, "");
  method("GetColors()", std::to_string(s.GetColors()));
  line("");
  for (const char* empty : {"ModemName()", "ModemVersion()", "ModemPort()", "MonitorName()",
                            "MouseName()", "MouseVersion()"})
    method(empty, "");
  line("");
  line("        Memory Info");
  line("        -----------");
  const char* labels[] = {
      "     Total Physical = ", " Available Physical = ", "    Total Page File = ",
      "Available Page File = ", "      Total Virtual = ", "  Available Virtual = "};
  for (int i = 0; i < 6; ++i)
    line(labels[i] + std::to_string(s.Memory(i + 1)) + " MB");
  return t;
}

void sysInfo(Context& ctx, ProgramLauncher& launcher, bool open, int colourDepth) {
  ctx.ui.busy(true);
  const TSystemInfo info(readSystemFacts(colourDepth));
  const fs::path file = findFile(ctx.CRUNIN, "SysInfo.txt");
  (void)replaceFileAtomically(file, utf8ToCp1252(sysInfoText(info)));
  ctx.ui.busy(false);
  if (open) launcher.launch(LaunchRequest{file.string(), "", ctx.CRUNIN});
}

}  // namespace zrv
