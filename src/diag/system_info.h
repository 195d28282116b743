// TSystemInfo: what the error report and "SysInfo.txt" tell about the machine. The facts the
// Windows registry held come from the kernel, /proc, /sys and /etc here; what has no
// counterpart (browser, modem, DirectX) stays empty, and the report keeps its layout.
#pragma once

#include <cstdint>
#include <string>

namespace zrv {

class ProgramLauncher;
struct Context;

// The facts read from the machine; tests make their own.
struct SystemFacts {
  std::string kernelRelease;  // "6.1.0-13-amd64"
  std::string kernelVersion;  // "#1 SMP PREEMPT_DYNAMIC Debian 6.1.55-1"
  std::string machine;        // "x86_64"
  std::string prettyName;     // PRETTY_NAME of /etc/os-release
  std::string timeZone;       // "Europe/Berlin"
  std::string biosDate, biosVersion;
  std::string cpuName, cpuVendor;
  int cpuFamily = 0, cpuModel = 0, cpuStepping = 0;
  double cpuMHz = 0;
  int processors = 0;
  std::uint64_t memTotal = 0, memAvailable = 0, swapTotal = 0, swapFree = 0;  // bytes
  std::uint64_t commitLimit = 0, committed = 0;
  std::string hostName, ip = "0.0.0.0", nameOfAddress;
  bool socketsOk = false;
  int colourDepth = 24;  // bits per pixel of the display
};

// Reads this machine's facts; the host name's address is looked up for 2 s at most.
SystemFacts readSystemFacts(int colourDepth);

class TSystemInfo {
 public:
  static constexpr const char* TSIVersion = "1.06";

  explicit TSystemInfo(SystemFacts facts);

  // Instance data as the version query filled them: numbers from the kernel release, the
  // platform id 0 (neither of the Windows families).
  unsigned nOsVer = 156, nMajor = 0, nMinor = 0, nBuild = 0, nPlatform = 0;
  std::string cSP, cIP, cSName, cLName;

  std::string WinVer() const;
  // The kernel's release ("6.1.0-13-amd64"), the report's "MsDos Version".
  std::string KernelRelease() const { return f_.kernelRelease; }
  std::string VerNum() const;
  std::string WhichNT() const { return ""; }
  std::string TimeZone() const { return f_.timeZone; }
  std::string DateSystemBios() const { return f_.biosDate; }
  std::string NameSystemBios() const { return f_.biosVersion; }
  std::string DateVideoBios() const { return ""; }
  std::string NameVideoBios() const { return ""; }
  std::string ComputerName() const { return f_.hostName; }
  std::string ServicePack() const;
  std::uint64_t GetColors() const;
  // The processor's speed in MHz rounded to tens; 0 outside the NT family on Windows, here
  // for every processor the machine has.
  long SpeedCPU(int processor = 1) const;
  std::string CPU() const;
  std::string CPUName() const { return f_.cpuName; }
  std::string CPUVendor() const { return f_.cpuVendor; }
  std::string CPUIdentifier() const;
  bool IsDualCPU() const { return SpeedCPU(2) > 0; }
  // 1 total physical, 2 available physical, 3 total page file, 4 available page file, 5 total
  // virtual (the commit limit), 6 available virtual (the commit limit less what is committed);
  // megabytes.
  std::uint64_t Memory(int n) const;

  // The version tests of the Windows versions, over the instance data.
  bool IsWinXP() const { return nPlatform == 2 && nMajor == 5 && nMinor == 1; }
  bool IsWin95() const;
  bool IsWin95SP1() const;
  bool IsWin95OSR2() const;
  bool IsWin98() const;
  bool IsWin98SP1() const;
  bool IsWin98SE() const;
  bool IsWinME() const;
  bool IsWinNT4() const { return nPlatform == 2 && nMajor == 4; }
  bool IsWin2000() const { return nPlatform == 2 && nMajor == 5 && nMinor == 0; }
  bool IsWin2003Server() const { return nPlatform == 2 && nMajor == 5 && nMinor == 2; }

 private:
  SystemFacts f_;
};

// SYSTEMINFO: whether the system is Windows XP, which it never is here. The program's LWINXP
// asks the wake-up facility instead (StartupSteps::wakeUpAvailable).
bool systemInfo();

// A speed in MHz rounded to tens (1994 → 1990, 1995 → 2000).
long roundedToTens(double mhz);

// The text of "SysInfo.txt" (UTF-8, lines ended by CR LF).
std::string sysInfoText(const TSystemInfo& info);

// SYSINFO: writes "SysInfo.txt" into the program directory (Windows-1252, CR LF, replaced as a
// whole) with the wait cursor shown, and with `open` opens it with the desktop's viewer.
void sysInfo(Context& ctx, ProgramLauncher& launcher, bool open, int colourDepth);

}  // namespace zrv
