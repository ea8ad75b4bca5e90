// The host sandbox a fuzz target runs in: a root folder of its own for the whole process.
#pragma once

#include <string>

namespace varnet::fuzz {

// Sets the sandbox root to a fresh temporary folder (removed at exit) once per process.
void PrepareSandbox();
// Copies a folder of the source tree (for example "examples/config") to a Windows path.
void CopySourceFolder(const std::string& sourceFolder, const char* windowsFolder);
// Replaces a sandbox file with the bytes given.
void WriteSandboxFile(const char* windowsPath, const void* data, std::size_t size);

} // namespace varnet::fuzz
