// A tiny program the host tests copy to odd places and run:
//   host_probe rundir <out>   writes "<run directory>|<current directory>" to <out>
//   host_probe oom            asks for more bytes than any address space holds
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <fstream>

#include "host/host.h"
#include "tests/win32/host_probe.h"

int main(int argc, char** argv) {
  InitRunDirectory();
  if (argc == 3 && std::strcmp(argv[1], "rundir") == 0) {
    char current[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, current);
    std::ofstream(argv[2], std::ios::binary) << GetRunDirectory() << "|" << current;
    return 0;
  }
  if (argc == 2 && std::strcmp(argv[1], "oom") == 0) {
    Bytes huge(kImpossibleAllocation);  // never returns: the fatal box, then exit -1
    return huge.empty() ? 2 : 3;
  }
  return 1;
}
