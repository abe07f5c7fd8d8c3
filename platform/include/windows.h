#pragma once

// The Win32 subset the display library and the intro call, for Linux. These
// declarations are this project's own; the behaviour behind them is an
// in-process desktop model (see platform/src).

#include <cstdint>

#define WINAPI
#define CALLBACK

typedef int BOOL;
typedef unsigned int UINT;
typedef std::uint32_t DWORD;
typedef char* LPSTR;
typedef const char* LPCSTR;

struct HINSTANCE__;
typedef HINSTANCE__* HINSTANCE;

#define TRUE 1
#define FALSE 0

void WINAPI Sleep(DWORD milliseconds);

// The program's entry function; our platform's main calls it.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE previousInstance, LPSTR commandLine, int showCommand);
