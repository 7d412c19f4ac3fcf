// A fresh folder under /tmp for one test's files, removed with everything in it afterwards.
#pragma once

#include <cstdlib>
#include <string>

class TemporaryFolder {
public:
    TemporaryFolder() {
        char pattern[] = "/tmp/zephyx-test-XXXXXX";
        path_ = mkdtemp(pattern);
    }
    ~TemporaryFolder() { std::system(("rm -rf '" + path_ + "'").c_str()); }
    const std::string& path() const { return path_; }

private:
    std::string path_;
};
