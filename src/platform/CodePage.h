// The process-wide code page: the 8-bit character set that stands for the
// system ANSI code page of the program's original platform. UTF-8 by default;
// any single-byte set with a built-in table (windows-1250..1258,
// iso-8859-2..15, koi8-r) can be chosen at start-up, for legacy sites.
//
// Byte-level letter tests and casing follow the chosen set: in a single-byte
// set a byte is a letter, and changes case, as ICU says of the character it
// stands for; with UTF-8 every byte of 0x80 and above counts as a letter and
// byte-wise casing changes ASCII only.
#pragma once

#include <string>
#include <string_view>

#include "platform/Unicode.h"

namespace qm {

// Chooses the process-wide code page by charset name ("utf-8", "windows-1252",
// "koi8-r", ...). Returns false and changes nothing for a name that is neither
// UTF-8 nor a set with a built-in table. Call before any text is processed.
bool SetSystemCodePage(std::string_view name);

// Reads QUILLMARK_CODEPAGE from the environment and applies it; false when the
// variable names an unknown code page (the code page then stays as it was).
bool ApplyCodePageFromEnvironment();

// The canonical name of the current code page ("utf-8", "windows-1252", ...).
std::string_view SystemCodePageName();
bool SystemCodePageIsUTF8();

// The 128 UTF-16 units for bytes 0x80..0xFF in the system code page. With UTF-8
// as the code page a lone byte is no character; the table then holds "?".
const char16_t* SystemTable();

// Decodes text "in the system code page": UTF-8 decoding when that is UTF-8,
// else through SystemTable.
WideString SystemToWide(std::string_view text);

// Converts UTF-16 to the system code page; characters it lacks become "?".
std::string WideToSystem(WideView text);

// Byte-level services of the code page.
bool IsCharAlphaA(unsigned char c);
unsigned char CharUpperA(unsigned char c);
unsigned char CharLowerA(unsigned char c);
std::string UpperBytes(std::string_view text);
std::string LowerBytes(std::string_view text);

// Upper-case table of the current code page, for tight loops.
const unsigned char* UpperTable();

}  // namespace qm
