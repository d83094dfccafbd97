// A status callback for tests: records every call and can answer "halt".
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

struct StatusRecorder {
    struct Call {
        int iCode;
        std::string sText;
        double dPercent;
    };
    std::vector<Call> calls;
    //! Decides the answer to the call just recorded; absent: always go on.
    std::function<bool(const StatusRecorder&)> halt;

    static bool Callback(void* pContext, int iCode, const char* psText, double dPercent)
    {
        auto* pThis = static_cast<StatusRecorder*>(pContext);
        pThis->calls.push_back({iCode, psText ? psText : "", dPercent});
        return !(pThis->halt && pThis->halt(*pThis));
    }

    //! Answers "halt" to call number uCall (1-based) and every call after it.
    void haltAtCall(std::size_t uCall)
    {
        halt = [uCall](const StatusRecorder& r) { return r.calls.size() >= uCall; };
    }

    //! The calls between the heading psHeading (code 1) and the next heading.
    std::vector<Call> stage(const std::string& sHeading) const
    {
        std::vector<Call> result;
        bool bInside = false;
        for (const Call& call : calls) {
            if (call.iCode == 1)
                bInside = call.sText == sHeading;
            else if (bInside)
                result.push_back(call);
        }
        return result;
    }
};
