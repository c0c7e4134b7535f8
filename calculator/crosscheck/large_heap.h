// The memory of a whole contest held at once, in the processor's large pages.
#pragma once

namespace tovek::crosscheck {

// Makes the allocator take the calling thread's memory from a heap that the
// system backs with large pages (2 MiB), and keep it until the process ends.
// A cross-check keeps every QSO of thousands of logs: in 4 KiB pages it
// faulted in some 30,000 pages one by one, a fifth of its time. Meant for a
// process that runs one check, or writes one site, and ends (tovek): the
// setting is process-wide.
// Does nothing where the allocator or the system offers no such control.
void UseLargePagesForHeap();

}  // namespace tovek::crosscheck
