// The command line that describes a mail in the option syntax of a command-line mailer. It is
// what the logbook records of every mail (with the password masked); the transport itself takes
// the fields, so blanks and quotes in them reach the server intact.
#pragma once

#include <string>

#include "mail/mail_fields.h"

namespace zrv {

// "SndMail -f <from> -X <server> -r <to> -s "<subject>" -b <body> -u <user> -p <password>
// -h LOGIN -R <reply> -F "<name> <<from>>"" followed by -a "<file>" per attachment. Values go in
// as they are: nothing is escaped.
std::string sendMailCommandLine(const MailFields& mail);

// The same line with the password shown as "****", for the logbook and error output.
std::string loggedCommandLine(const MailFields& mail);

}  // namespace zrv
