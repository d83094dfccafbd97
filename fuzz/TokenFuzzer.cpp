// Fuzz target: the session-file token readers (numbers, quoted texts) and the text form
// of numbers, on arbitrary bytes. Every value read must write and read back (numbers to fifteen digits).
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "foundation/Real.h"
#include "foundation/String.h"

using namespace HalvrennInc;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);

    // Text form of numbers: anything typed into a cell.
    Real typed(bytes);
    (void)typed.toText(0, true);
    (void)typed.toText(2, false);

    // A stream of tokens, alternating numbers and texts as a session file does.
    clearReadFailure();
    std::istringstream in(bytes);
    for (int i = 0; i < 64 && !readFailed(); ++i) {
        if (i % 2 == 0) {
            Real r;
            r.readToken(in);
            if (readFailed()) break;
            std::ostringstream out;
            r.writeToken(out);
            clearReadFailure();
            std::istringstream back(out.str());
            Real again;
            again.readToken(back);
            if (readFailed()) std::abort();
            if (r.isValid() != again.isValid()) std::abort();
            if (!r.isValid() && r.message() != again.message()) std::abort();
            // Fifteen significant digits are kept, so the value comes back to within a few
            // units of the fifteenth digit.
            if (r.isValid() && std::fabs(r.value() - again.value()) > 1e-14 * std::fabs(r.value())) std::abort();
        } else {
            String s;
            s.readQuoted(in);
            if (readFailed()) break;
            std::ostringstream out;
            s.writeQuoted(out);
            std::istringstream back(out.str());
            String again;
            again.readQuoted(back);
            if (readFailed() || !(again == s)) std::abort();
        }
    }
    return 0;
}
