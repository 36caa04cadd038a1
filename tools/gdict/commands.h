// The subcommands of gdict. Each returns the process exit status: 0 on success, 2 on an error
// (written to standard error); lookup returns 1 when nothing matches.
#pragma once

#include <string>
#include <vector>

int RunLookup(const std::vector<std::string>& args);
int RunBuild(const std::vector<std::string>& args);
int RunDump(const std::vector<std::string>& args);
int RunEncipher(const std::vector<std::string>& args);
int RunDecipher(const std::vector<std::string>& args);
int RunEncryptFile(const std::vector<std::string>& args);
int RunDecryptFile(const std::vector<std::string>& args);
int RunSha256(const std::vector<std::string>& args);
int RunConvert(const std::vector<std::string>& args);
int RunTranslate(const std::vector<std::string>& args);
// Exits 1 when remove finds no such term and when import skips lines.
int RunOwn(const std::vector<std::string>& args);

// Code page 936 text from a UTF-8 argument; throws std::runtime_error naming what when the
// text cannot be held in code page 936.
std::string ArgumentToCp936(const std::string& utf8, const char* what);
