#pragma once
// Where the running program's file lies, for the files kept beside it.
#include <string>

namespace vb {

// The folder of the program's executable file, as the bytes the system names
// it by (whatever their encoding), without a trailing separator ("/" for the
// root); empty when the system does not tell.
std::string ExecutableFolder();

} // namespace vb
