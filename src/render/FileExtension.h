#pragma once

// True when the last characters of path match extension, ignoring case, by a
// single forward scan (a mismatching character is not compared again with the
// extension's first character, so "xddds" does not end in "dds").
bool endsWithIgnoreCase(const char* path, const char* extension);
