// The Windows Internet services the downloader uses, behind a small
// interface so that the check layer needs no Windows header and tests can put
// a scripted Internet in place of the system's. Each operation mirrors one
// WinInet call; handles are WinInet's HINTERNET values, opaque here.
#pragma once

#include <cstdint>

#include "host/text.h"

using InternetHandle = void*;

class Internet {
 public:
  virtual ~Internet() = default;

  // InternetGetConnectedState: stores the connection flags in *flags.
  virtual bool ConnectedState(uint32_t* flags) = 0;
  // InternetOpenA with no proxy name or bypass list, flags 0 (synchronous).
  virtual InternetHandle Open(const Text& agent, uint32_t access_type) = 0;
  // InternetOpenUrlA with the header block and its byte length, context 0.
  virtual InternetHandle OpenUrl(InternetHandle internet, const Text& url, const Text& headers,
                                 uint32_t flags) = 0;
  // HttpQueryInfoA of a query with HTTP_QUERY_FLAG_NUMBER into 4 bytes, index 0.
  virtual bool QueryNumber(InternetHandle request, uint32_t query, uint32_t* number) = 0;
  // HttpQueryInfoA of a header as text, index 0; false when the response
  // has no such header.
  virtual bool QueryText(InternetHandle request, uint32_t query, Text* text) = 0;
  // InternetReadFile: true with *read = 0 at the end of the body.
  virtual bool Read(InternetHandle request, void* buffer, uint32_t size, uint32_t* read) = 0;
  // InternetCloseHandle.
  virtual void Close(InternetHandle handle) = 0;
};

// The system's WinInet, bound by name from "Wininet.dll" on the first call.
// A missing library or function is fatal: an error box, then exit code -1.
Internet& SystemInternet();
