#pragma once
// Cancelling a running command: the window (Esc, Cancel) and quorvix-cli
// (SIGINT) raise the flag; long loops check it between products.
namespace quorvix {

inline constexpr const char* kCancelledMessage = "The calculation was cancelled";

void RequestCancel();   // async-signal-safe
void ClearCancel();
bool CancelRequested();
// Raises CancelledError when the flag is up (and lowers it).
void CheckCancelled();

}  // namespace quorvix
