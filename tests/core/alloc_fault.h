#pragma once

#include "text/txt_alloc.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <functional>
#include <string>
#include <utility>
#include <vector>

// How a CAllocFault treats the allocations of the operation it watches.
enum class EAllocFault {
    COUNT,      // lets every allocation through and records it
    REFUSE_ONE, // refuses only allocation number n
    REFUSE_FROM // refuses allocation number n and every later one
};

// Puts itself behind the core's allocation seam while in scope. Every request is counted from
// 1, its size recorded, and `onRequest` (when given) called before the answer, so that a test
// can see the state an operation was in when it asked.
class CAllocFault {
public:
    CAllocFault(EAllocFault mode, int n, std::function<void()> onRequest = {})
        : m_eMode(mode), m_nRefuse(n), m_onRequest(std::move(onRequest)) {
        s_pActive = this;
        TxtSetAllocHook(&Answer);
    }
    ~CAllocFault() {
        TxtSetAllocHook(nullptr);
        s_pActive = nullptr;
    }
    CAllocFault(const CAllocFault&) = delete;
    CAllocFault& operator=(const CAllocFault&) = delete;

    int Count() const { return static_cast<int>(m_sizes.size()); }
    const std::vector<std::size_t>& Sizes() const { return m_sizes; }

private:
    static bool Answer(std::size_t size) {
        CAllocFault& self = *s_pActive;
        self.m_sizes.push_back(size);
        if (self.m_onRequest) {
            self.m_onRequest();
        }
        const int n = self.Count();
        switch (self.m_eMode) {
        case EAllocFault::REFUSE_ONE:
            return n != self.m_nRefuse;
        case EAllocFault::REFUSE_FROM:
            return n < self.m_nRefuse;
        default:
            return true;
        }
    }

    static inline CAllocFault* s_pActive = nullptr;
    EAllocFault m_eMode;
    int m_nRefuse;
    std::function<void()> m_onRequest;
    std::vector<std::size_t> m_sizes;
};

// Calls attempt(mode, n) for n = 1 to `count` in both refusing modes, naming each case in any
// failure. `count` comes from a counting run of the same operation.
template <typename Attempt> void ForEachRefusal(int count, Attempt attempt) {
    for (const EAllocFault mode : {EAllocFault::REFUSE_ONE, EAllocFault::REFUSE_FROM}) {
        for (int n = 1; n <= count; ++n) {
            SCOPED_TRACE(std::string(mode == EAllocFault::REFUSE_ONE
                                         ? "refused: allocation "
                                         : "refused: allocations from ") +
                         std::to_string(n) + " of " + std::to_string(count));
            attempt(mode, n);
        }
    }
}
