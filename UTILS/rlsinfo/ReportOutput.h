// rlsinfo's two ways of writing a FileReport: a table for people and one
// JSON document per file for programs (its shape is documented in
// docs/file-formats.md, section "rlsinfo --json").
#ifndef RLSINFO_REPORT_OUTPUT_H
#define RLSINFO_REPORT_OUTPUT_H

#include <cstdio>
#include <string>

#include "FileReport.h"

void WriteReportText(std::FILE* out, const FileReport& report);

// One document on one line, without the line feed.
std::string ReportJson(const FileReport& report);

#endif
