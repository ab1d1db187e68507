#pragma once

#include <map>
#include <string>
#include <vector>

// Readers of the exported and printed results, written from their documented
// forms rather than from the writer's code, so that a test can read back what
// a script would.

// One field of the text form: "\x" and two hexadecimal digits is that byte,
// every other character stands for itself.
std::string ReadTextField(const std::string& strField);

// The exact path of a JSON record: "path_bytes" (hexadecimal) when the record
// has it, else "path".
std::string ExactJsonPath(const std::map<std::string, std::string>& record);

// A JSON array of flat objects, each as name -> value: strings decoded
// (escapes and \u forms to UTF-8), other values as written. False, with
// the records read so far, on anything else.
bool ReadJsonRecords(const std::string& strText,
                     std::vector<std::map<std::string, std::string>>& records);
