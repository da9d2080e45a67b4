// Which link targets a hyperlink box may hand to the shell. The address of
// the newest version's download comes from a downloaded file, so a tampered
// package must not be able to launch a program, open a local file or reach
// another protocol handler through a click: only web, FTP, mail and the
// download manager's links are opened. No Windows header here, so the rule
// is unit-tested natively.
#pragma once

#include "host/text.h"

// True when target starts with one of the schemes http, https, ftp, mailto or
// thunder (any case) followed by ':', and holds no control character and no
// double quote (which could end the quoted argument of a handler's command
// line). Everything else, bare paths, UNC paths and file: included, is false.
bool IsOpenableLink(const Text& target);
