// Prints the functions SourceFindFunctions finds in each file named on the command line, one
// per line: file, name line, name column, first line, last line, comment's first line, "def"
// or "decl", name. scripts/measure-functions compares these with other indexers.
//   list_functions [--cp932] [--declarations] FILE...

#include "source/source_functions.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

int main(int argc, char** argv) {
    SourceEncoding encoding = SourceEncoding::Utf8;
    bool declarations = false;
    int status = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--cp932") {
            encoding = SourceEncoding::Cp932;
            continue;
        }
        if (argument == "--declarations") {
            declarations = true;
            continue;
        }
        std::ifstream stream(argument, std::ios::binary);
        if (!stream) {
            std::fprintf(stderr, "list_functions: cannot read %s\n", argv[i]);
            status = 1;
            continue;
        }
        const std::string file((std::istreambuf_iterator<char>(stream)),
                               std::istreambuf_iterator<char>());
        for (const CSourceFunction& function : SourceFindFunctions(file, encoding, declarations)) {
            std::printf("%s\t%zu\t%zu\t%zu\t%zu\t%zu\t%s\t%s\n", argv[i], function.m_nNameLine,
                        function.m_nNameColumn, function.m_nFirstLine, function.m_nLastLine,
                        function.m_nCommentFirstLine, function.m_bDefinition ? "def" : "decl",
                        function.m_strName.c_str());
        }
    }
    return status;
}
