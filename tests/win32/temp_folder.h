// Test support under Wine: a fresh folder under the temp path, removed with
// everything in it when the test ends; and a thread that answers a message
// box by its title.
#pragma once

#include <windows.h>

#include <string>
#include <thread>

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

// A Unix path handed over in an environment variable, as Wine's Z: drive
// shows it; empty when the variable is not set.
Text DosPathFromEnv(const char* name);
std::string ReadWholeFile(const Text& path);  // empty when missing

// Waits up to timeout_ms for a top-level dialog box with this title (code
// page 936 bytes) and returns it, or nullptr.
HWND WaitForBox(const Text& title, DWORD timeout_ms = 10000);

// The text of the box's message (its static control), as code page 936 bytes.
Text BoxMessage(HWND box);

// Answers a box from a helper thread: finds it by title, posts the button.
class BoxAnswerer {
 public:
  BoxAnswerer(const Text& title, int button);
  ~BoxAnswerer();
  bool answered() const { return answered_; }
  const Text& message() const { return message_; }

 private:
  std::thread thread_;
  bool answered_ = false;
  Text message_;
};
