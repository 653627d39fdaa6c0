#pragma once

#include "platform/base/Types.h"

// File-name helpers; "/" is the only path delimiter.

// Index 0 is the running executable's real path; the program takes no other arguments.
AnsiString ParamStr(int Index);

// The folder part, up to and including the last "/"; empty when there is none.
AnsiString ExtractFilePath(const AnsiString& FileName);
// The part after the last "/".
AnsiString ExtractFileName(const AnsiString& FileName);
// From the last "." after the last "/" to the end, the "." included; empty when none.
AnsiString ExtractFileExt(const AnsiString& FileName);
// Replaces the extension (see ExtractFileExt), or appends Extension when there is none.
AnsiString ChangeFileExt(const AnsiString& FileName, const AnsiString& Extension);

// True when something that is not a folder exists at the path.
bool FileExists(const AnsiString& FileName);
bool DirectoryExists(const AnsiString& Name);
bool DeleteFile(const AnsiString& FileName);
