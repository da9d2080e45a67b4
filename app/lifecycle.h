// The frame around the window and the worker: what happens when MainWindow
// has been created and when it is about to close.
#pragma once

// The worker thread's handle: written once when the worker starts, never
// read, waited on or closed; it ends with the process.
extern void* WorkerThreadHandle;

// Creation completed: make the work folder, start the worker on the version
// check, write the title.
void OnMainWindowCreated();

// May close: delete setup.ini, set.cab and the work folder with whatever is
// left in it. Gives no answer, so the close always goes ahead.
void OnMainWindowCloseQuery();
