// An archive file as a table for a spreadsheet or a data frame: one CSV row
// (RFC 4180) per line of text a logger port delivered, stamped with the time
// stamp of the record in which the line began.
//
// A line ends at LF, CR LF or a lone CR, also when the CR and the LF arrive
// in two records of the same port; a line split across records of the same
// logger and port is joined; empty lines give no row. A port's bytes in a
// record that are not all printable ASCII, tab, CR or LF are binary: they go
// into one row as hexadecimal byte pairs separated by blanks, after any
// unfinished line of that port. The time is the record's time stamp read as
// logger time (local wall-clock seconds since 1970), ISO 8601 without a zone.
#pragma once

#include <string>

#include "common/Prompter.h"

namespace qv {

inline constexpr const char* kArchiveCsvHeader = "time,logger_id,sequence,port,text";

// Writes `csvPath` from `archivePath`. Problems are told through the
// prompter; a damaged record ends the table after the rows before it.
// False when any was told.
bool WriteArchiveCsv(const std::string& archivePath, const std::string& csvPath, Prompter& prompter);

// One CSV field as RFC 4180 writes it: quoted when it holds a comma, a
// quote, CR or LF, with quotes doubled.
std::string CsvField(const std::string& text);

}  // namespace qv
