#pragma once
// Numbers read from a record by their place on the line. The INI reader
// types a field of digits as an integer and anything else, a sign or a
// decimal point included, as a string; a parameter file that holds decimal
// numbers may therefore give any of them either type, and these helpers take
// both.

#include <cstdint>

class cIniFile;

// The number in field `field` of the current record: an integer field as it
// is, a string field when strtod reads all of it to a value a float can
// hold (every caller keeps floats). False for a missing field and for
// anything else.
bool FieldNumber(const cIniFile& ini, std::uint32_t field, double* value);
