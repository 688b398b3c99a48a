#pragma once
// The benchmark process's own memory, from /proc/self/status, in kB.
namespace bench {

long ResidentKb();      // VmRSS: resident now
long PeakResidentKb();  // VmHWM: the most resident so far
// Makes the next PeakResidentKb() start from what is resident now (writes
// "5" to /proc/self/clear_refs); false where the kernel refuses.
bool ResetPeakResident();

}  // namespace bench
