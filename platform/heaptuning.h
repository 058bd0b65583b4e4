#pragma once

namespace platform {

// Keeps the memory a print run frees for the next page instead of handing it
// back to the system. Writing a PDF or a spooler job grows and frees large
// page buffers label after label; with glibc's defaults every free at the
// top of the heap trimmed it and every regrowth paid for fresh zeroed pages,
// which cost a 1000-label run more time than drawing the labels. The peak a
// run needs stays as it was; only the churn goes. Called first in main().
void keepHeapForPrintRuns();

} // namespace platform
