// Starting the default web browser.
#pragma once

#include <string>

#include <windows.h>

inline constexpr int kMaxBrowserCommand = 260;

// The browser command with the argument in place of "%1" (quotes kept), or
// after the command and a blank when it has no placeholder; the registry
// text is never read as a format. At most kMaxBrowserCommand characters.
std::wstring BuildBrowserCommand(const std::wstring& command, const std::wstring& argument);

// Runs the command registered for http with the argument; nothing happens
// when none is registered.
void OpenWithBrowser(const WCHAR* argument);
