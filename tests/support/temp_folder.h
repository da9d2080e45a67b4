// A fresh folder under the temp path for one test, removed with everything
// in it when the test ends, and whole files written and read in one call.
#pragma once

#include <string>

#include "host/text.h"

class TempFolder {
 public:
  explicit TempFolder(const char* tag);
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const Text& path() const { return path_; }
  Text operator/(const Text& name) const { return path_ + "\\" + name; }

 private:
  Text path_;
};

void WriteWholeFile(const Text& path, const std::string& content);
std::string ReadWholeFile(const Text& path);  // empty when missing
