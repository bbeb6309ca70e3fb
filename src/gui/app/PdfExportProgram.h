#pragma once

namespace kt {

// kt-m220 --export-pdf [--kneeboard [--card a5|5x8] [--night]] FILE -o OUT.pdf:
// the data file's channel plan, or its kneeboard card, as a PDF, written
// without a window and without a display. Exit status 0 written, 2 a wrong
// command line, 3 the data file does not load or the PDF cannot be written.
bool AsksForPdfExport(int argc, char** argv);
int RunPdfExport(int argc, char** argv);

} // namespace kt
