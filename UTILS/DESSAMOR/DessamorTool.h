// Dessamor's parameters for the tool shell: its class name and caption, its
// client size, and its key handler (every key but Q builds a family).
#ifndef UTILS_DESSAMOR_DESSAMOR_TOOL_H
#define UTILS_DESSAMOR_DESSAMOR_TOOL_H

#include "ToolShell.h"

constexpr int kDessamorClientWidth = 370;
constexpr int kDessamorClientHeight = 20;

const ToolParameters& DessamorTool();

#endif
