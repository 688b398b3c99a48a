#pragma once
// Sequential files by number, as the runtime's Open, Line Input, Print #,
// EOF and Close handle them. Lines written end in CR LF.
#include <string>

namespace vb {

enum class OpenMode { Input, Output, Append };

// The lowest file number not in use (1-255); error 67 when none is free.
int FreeFile();

// Opens `path` under `fileNumber` (1-511, else error 52). Errors: 55 when
// the number is in use or the file is already open for writing (or open at
// all, when opening for writing); 53 when a file to read is missing; 76 when
// its folder is missing; 75 when access is refused; 52 for an empty name or
// one Linux cannot hold.
void Open(const std::string& path, OpenMode mode, int fileNumber);

// Line Input #: the next line without its end (CR LF, LF or CR). Error 62
// past the end, 54 on a file open for writing, 52 for a number not open.
std::string LineInput(int fileNumber);

// Print #: writes `text` and CR LF. PrintPart writes `text` alone (Print #
// with a trailing semicolon). Error 54 on a file open for reading.
void Print(int fileNumber, const std::string& text = "");
void PrintPart(int fileNumber, const std::string& text);

// EOF: true when nothing is left to read.
bool Eof(int fileNumber);

// Closes one file (a number not open is passed over) or all files.
void Close(int fileNumber);
void Close();

}  // namespace vb
