// The finder tests' working folder and the prompt names heard.
#include "finder_fixture.h"

#include <cstdlib>
#include <fstream>
#include <iterator>

namespace portseek::testing {

FinderTest::FinderTest() : previousFolder_(std::filesystem::current_path()) {
    std::string pattern = (std::filesystem::temp_directory_path() / "portseek-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("no temporary folder");
    folder_ = pattern;
    std::filesystem::current_path(folder_);
}

FinderTest::~FinderTest() {
    std::filesystem::current_path(previousFolder_);
    std::filesystem::remove_all(folder_);
}

std::vector<std::string> FinderTest::spoken() const {
    const std::string prefix = "wave\\";
    const std::string suffix = ".wav";
    std::vector<std::string> names;
    for (const std::string& path : fake.sound.played) {
        const bool usual =
            path.size() > prefix.size() + suffix.size() && path.starts_with(prefix) && path.ends_with(suffix);
        names.push_back(usual ? path.substr(prefix.size(), path.size() - prefix.size() - suffix.size()) : path);
    }
    return names;
}

void FinderTest::writeFile(const std::string& name, const std::string& bytes) {
    std::ofstream(name, std::ios::binary) << bytes;
}

FolderContents FinderTest::folder() {
    FolderContents contents;
    for (const auto& entry : std::filesystem::directory_iterator(".")) {
        const std::string name = entry.path().filename().string();
        if (entry.is_directory()) {
            contents[name] = "<folder>";
            continue;
        }
        std::ifstream in(entry.path(), std::ios::binary);
        contents[name] = std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    return contents;
}

}  // namespace portseek::testing
