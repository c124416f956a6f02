// The findings of a design's validity check one by one, each with the component and the
// package it is about, for callers that place them themselves (the command line's check
// of a library). CDesign::CheckValid reports the same findings as lines of text.
#pragma once

#include <vector>

#include "platform/cstring.h"

class CDesign;

struct DesignFinding {
  CString component;
  CString package;
  CString text;  // one line, without the package
};

// In design order, record by record.
std::vector<DesignFinding> CheckDesignRecords(const CDesign& design);
