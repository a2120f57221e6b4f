#pragma once
// Starts writing a file's dirty pages to the disk without waiting for them.
// A save that still has work to do before its sync (the digest line of a
// data file) calls it after writing the bulk of the file, so that the disk
// works while the processor does; the sync that follows then waits for less.
// Only a hint: it never makes anything durable by itself, failures are
// ignored, and where the system has no such call it does nothing.
namespace platform {

// The whole pages among the first `bytes` of the file; a partial last page
// is left for the sync (the save may still add to it).
void StartWriteback(int fd, long long bytes);

}  // namespace platform
