// The few operating-system services the dictionary core needs. The Win32
// build uses KERNEL32; the native build uses POSIX. Error codes are the
// system's own (GetLastError values on Windows, errno values elsewhere).
#ifndef ZEV_PLATFORM_H
#define ZEV_PLATFORM_H

#include <stddef.h>
#include <stdint.h>

namespace platform {

// An open file; valid() is false for a failed open.
struct File {
    intptr_t handle = -1;
    bool valid() const { return handle != -1; }
};

// System error codes the library itself reports.
extern const uint32_t kErrorNotEnoughMemory;
extern const uint32_t kErrorAccessDenied;
extern const uint32_t kErrorFileExists;

// The calling thread's last system error code.
uint32_t LastError();
void SetLastError(uint32_t code);

// Opens an existing file for reading, shared with nobody.
File OpenForRead(const char* path);
// Creates a file that must not exist yet, for writing, shared with nobody.
// A name that is taken fails with kErrorFileExists.
File CreateNew(const char* path);
// Creates a new file with a short name of its own in the folder of `path`,
// for writing, shared with nobody; its path goes to `name`, which holds
// `nameSize` bytes (strlen(path) + 32 is always enough). The name does not
// grow with the name in `path`, so any name the system accepts can be saved.
File CreateTemporaryBeside(const char* path, char* name, size_t nameSize);
// Reads up to `size` bytes; `got` receives the count (0 at the end).
bool Read(File file, void* buffer, uint32_t size, uint32_t* got);
// Writes all `size` bytes or fails.
bool Write(File file, const void* buffer, uint32_t size);
// Moves the file position forward by `distance` bytes (past the end is allowed).
bool Skip(File file, uint32_t distance);
bool GetSize(File file, uint64_t* size);
// Commits written data to the disk.
bool Flush(File file);
void Close(File file);

// Replaces `target` by `source` in one step.
bool Replace(const char* source, const char* target);
bool Remove(const char* path);
// The file a save to `path` must replace: a copy of `path`, or for a symbolic
// link the file it points to, in memory from AllocZeroed. Null, with the
// system's code, when `path` names something a file cannot replace (a device,
// say) or the link leads nowhere.
char* ResolveSaveTarget(const char* path);
// True when `path` names an existing file that is marked read-only.
bool IsReadOnlyFile(const char* path);

// The system's message for an error code, cut to fit `size` bytes with its
// terminator; returns the length of the copied text (0 when there is none).
size_t SystemErrorText(uint32_t code, char* buffer, size_t size);

// Zero-filled memory; Free reports whether the release succeeded.
void* AllocZeroed(size_t size);
bool Free(void* block);

// True when `byte` starts a double-byte character of the ANSI code page.
bool IsLeadByte(uint8_t byte);

#ifdef ZEV_FAULT_INJECTION
// Test builds only (never the shipped library): makes chosen calls above fail
// as the system would, and counts live memory blocks.
namespace faults {

enum Kind { kWrite, kFlush, kReplace, kAllocation, kKindCount };

// Makes the n-th call of `kind` from now on fail (1 = the next); 0 disarms.
void FailAt(Kind kind, unsigned n);
// Disarms every fault and restarts the call counters (not the block count).
void Reset();
// Calls of `kind` since the last Reset, failed ones included.
unsigned Calls(Kind kind);
// Blocks handed out by AllocZeroed and not yet released by Free.
long LiveBlocks();
// The system error code a failed call of `kind` leaves behind.
uint32_t ErrorCode(Kind kind);

// Used by the platform layer: counts a call and tells whether it must fail.
bool ShouldFail(Kind kind);
void CountBlock(long change);

}  // namespace faults
#endif

}  // namespace platform

#endif
