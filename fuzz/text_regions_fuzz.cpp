// Region counting, copying and removal with arbitrary markers (empty ones included) on arbitrary
// text, compared with the plain std::string rules; removal also with refused allocations.

#include "fuzz/fuzz_input.h"
#include "fuzz/fuzz_support.h"
#include "fuzz/text_model.h"
#include "text/txt.h"

#include <cstdint>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CFuzzInput input(data, size);
    const unsigned char refuseMask = input.TakeByte();
    const std::string open = input.TakeCString();
    const std::string close = input.TakeCString();
    const std::string text = input.TakeCString();
    std::vector<char> array = FuzzCallerArray(text);

    const int count = TxtCountRegions(array.data(), open.c_str(), close.c_str());
    FuzzCheck(count == ModelCountRegions(text, open, close), "TxtCountRegions");
    // One index below the first region and one past an unterminated last one as well.
    for (int index = 0; index <= count + 2; ++index) {
        std::vector<char> out(array.size(), '\0');
        const int result =
            TxtGetRegion(array.data(), index, open.c_str(), close.c_str(), out.data());
        const auto expected = ModelRegion(text, index, open, close);
        FuzzCheck(result == (expected ? 0 : -1), "TxtGetRegion result");
        FuzzCheck(out.data() == expected.value_or(""), "TxtGetRegion copy");
    }

    const std::vector<char> before = array;
    int result = 0;
    int refused = 0;
    {
        const CFuzzAllocFailures failures(refuseMask);
        result = TxtRemoveRegions(array.data(), open.c_str(), close.c_str());
        refused = failures.Refused();
    }
    FuzzCheck(FuzzZeroAfterText(array), "zeros after the text left by region removal");
    if (refused == 0) {
        FuzzCheck(result == 0, "region removal with memory succeeds");
        FuzzCheck(array.data() == ModelRemoveRegions(text, open, close), "regions removed");
        return 0;
    }
    // Passes done before the refusal stay done; going on from there ends where a full run ends.
    FuzzCheck(result == -1, "a refused region removal gives -1");
    const std::string partial = array.data();
    FuzzCheck(ModelRemoveRegions(partial, open, close) == ModelRemoveRegions(text, open, close),
              "a refused removal stops between passes");
    return 0;
}
