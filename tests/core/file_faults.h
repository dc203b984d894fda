#pragma once
// Makes file operations fail on purpose while one object lives. The hook goes
// away however the test ends, so no later test inherits it.

#include "files.h"

#include <string>
#include <utility>

namespace qz::test {

class FileFault {
public:
    // Every operation of kind `op` fails with `error`; given a file name, only
    // on the files of that name.
    FileFault(files::Op op, int error, std::string fileName = {})
        : FileFault([op, error, name = std::move(fileName)](files::Op called, const files::Path& path) {
              return called == op && (name.empty() || path.filename() == name) ? error : 0;
          })
    {
    }
    explicit FileFault(files::FaultHook hook) { files::setFaultHook(std::move(hook)); }
    FileFault(const FileFault&) = delete;
    FileFault& operator=(const FileFault&) = delete;
    ~FileFault() { files::setFaultHook({}); }
};

}  // namespace qz::test
