// Message boxes as the tests meet them: found by their title, their message
// read, and answered with one of their buttons, from the test's own thread
// or from a helper thread while the code under test waits in the box.
#pragma once

#include <windows.h>

#include <atomic>
#include <thread>
#include <vector>

#include "host/text.h"

// Waits up to timeout_ms for a visible top-level dialog box with this title
// (code page 936 bytes) and returns it, or nullptr.
HWND WaitForBox(const Text& title, DWORD timeout_ms = 10000);

// The text of the box's message (its static control), as code page 936 bytes.
Text BoxMessage(HWND box);

// Presses one of the box's buttons (IDOK, IDYES, ...) as a click would.
bool PressBoxButton(HWND box, int button);

// Answers a box from a helper thread: finds it by title, presses the button.
class BoxAnswerer {
 public:
  BoxAnswerer(const Text& title, int button);
  ~BoxAnswerer();
  BoxAnswerer(const BoxAnswerer&) = delete;
  BoxAnswerer& operator=(const BoxAnswerer&) = delete;
  bool answered() const { return answered_; }
  const Text& message() const { return message_; }

 private:
  std::thread thread_;
  bool answered_ = false;
  Text message_;
};

// While alive, answers OK to every box of this process under the default
// title, the downloader's, and keeps their messages. Other processes' boxes
// are left alone.
class MessageBoxes {
 public:
  MessageBoxes();
  ~MessageBoxes();
  MessageBoxes(const MessageBoxes&) = delete;
  MessageBoxes& operator=(const MessageBoxes&) = delete;

  // Stops watching; the messages of the boxes answered, in order.
  std::vector<Text> Stop();

 private:
  std::atomic<bool> stop_{false};
  std::vector<Text> texts_;
  std::thread thread_;
};
