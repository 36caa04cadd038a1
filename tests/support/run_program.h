// Running a program of the build in a process of its own, as a user's shell would.
#pragma once

#include <string>
#include <vector>

// Runs program with args (each reaching it as one word, whatever it holds), its standard input
// read from the file inputFile, or from the null device when inputFile is empty, and its
// standard output and error written to the files outputFile and errorFile. Names are file names
// of the program's (platform/file_name.h). Returns the exit status, or -1 when the program could
// not be started or did not end normally.
int RunProgram(const std::string& program, const std::vector<std::string>& args,
               const std::string& inputFile, const std::string& outputFile,
               const std::string& errorFile);
