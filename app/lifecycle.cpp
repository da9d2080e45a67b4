// The two window events around the worker: creation completed starts the
// check, may close cleans the work folder.
#include "app/lifecycle.h"

#include "app/control_table.h"
#include "check/version_check.h"
#include "check/window_ops.h"
#include "host/host.h"

void* WorkerThreadHandle = nullptr;

namespace {

Text WorkFolder() { return JoinText(GetRunDirectory(), "\\file"); }

unsigned long HOST_STDCALL RunWorker(void*) {
  RunVersionCheck();
  return 0;
}

}  // namespace

void OnMainWindowCreated() {
  // The folder is made before the worker starts, so the worker's first look
  // into it never races its creation. A folder left by an earlier run is
  // kept as it is, with any partial download in it.
  CreateDirectory(WorkFolder());
  StartThread(&RunWorker, 0, &WorkerThreadHandle);
  WriteProperty(Control::MainWindow, property::kCaption, kMainWindowTitle);
}

void OnMainWindowCloseQuery() {
  // A file the worker or expand still holds open stays, with the folder,
  // for the next start.
  DeleteFile(JoinText(WorkFolder(), "\\setup.ini"));
  DeleteFile(JoinText(WorkFolder(), "\\set.cab"));
  DeleteDirectory(WorkFolder());
}
