#include "header/header_date.h"
#include "row_file.h"
#include "tool_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

namespace fs = std::filesystem;

// What a case folder holds besides the files the run works on.
const char* const CASE_FILES[] = {"args",  "status", "stdout",     "stderr",
                                  "stdin", "modes",  "stdout-full"};

// Today's date as an expected file writes it.
std::string Dated(const std::string& text) {
    return Replaced(text, "<today>", HeaderToday());
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        lines.push_back(line);
    }
    return lines;
}

// Each folder under data/runs is one run of veldane-header, as data/README.md tells.
class CaseRuns : public testing::TestWithParam<std::string> {};

TEST_P(CaseRuns, EndAsTheFolderSays) {
    const fs::path folder = GetParam();
    const CToolDir dir;
    const auto given = [&](const char* name) { return ReadBytes(folder / name); };
    std::vector<std::pair<std::string, std::string>> files;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder)) {
        const std::string name = fs::relative(entry.path(), folder).string();
        const bool own =
            std::find(std::begin(CASE_FILES), std::end(CASE_FILES), name) != std::end(CASE_FILES);
        if (entry.is_regular_file() && !own && name.rfind("expected/", 0) != 0) {
            fs::create_directories(fs::path(dir.Path(name)).parent_path());
            dir.Write(name, ReadBytes(entry.path()));
            // The run is an ordinary user's, who may change the files but not their folder.
            fs::permissions(dir.Path(name), fs::perms::all);
            files.emplace_back(name, ReadBytes(entry.path()));
        }
    }
    for (const std::string& line : Lines(given("modes"))) { // "octal-mode name"
        fs::permissions(dir.Path(line.substr(line.find(' ') + 1)),
                        static_cast<fs::perms>(std::stoi(line, nullptr, 8)));
    }
    const std::string output = fs::exists(folder / "stdout-full") ? "/dev/full" : ".stdout";
    const auto [status, out, err] = dir.Run(Lines(given("args")), given("stdin"), output, true);
    EXPECT_EQ(status, std::atoi(given("status").c_str()));
    EXPECT_EQ(out, Dated(given("stdout")));
    EXPECT_EQ(err, given("stderr"));
    for (const auto& [name, before] : files) {
        const fs::path expected = folder / "expected" / name;
        fs::permissions(dir.Path(name), fs::perms::owner_read, fs::perm_options::add);
        EXPECT_EQ(dir.Read(name), fs::exists(expected) ? Dated(ReadBytes(expected)) : before)
            << name;
    }
}

INSTANTIATE_TEST_SUITE_P(Folder, CaseRuns, testing::ValuesIn(RowFiles(CLI_TEST_DATA "runs")),
                         [](const auto& info) { return RowFileTestName(info.param); });

} // namespace
