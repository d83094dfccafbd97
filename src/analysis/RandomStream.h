// Ostrel-Vane Studio - the random stream of the bootstrap: Knuth's subtractive generator
// (55-entry table, modulus 1e9) as a value, so that a worker can hold its own copy and
// move it straight to any later place of the stream.
//
// Its outputs obey y(k) = y(k-55) - y(k-24) (mod 1e9). Then x^d mod (x^55 + x^31 - 1),
// computed over the integers mod 1e9 by repeated squaring, gives the output d places
// ahead as a combination of 55 consecutive outputs: jump(d) costs O(55^2 log d), a few
// hundred microseconds for d = 1e7, instead of d draws.
#pragma once

#include <array>
#include <cstdint>

namespace HalvrennInc {

class RandomStream {
public:
    //! Not yet seeded: the first draw (or jump) seeds it from the calendar time.
    RandomStream() = default;
    //! Seeded as seed(uSeed).
    explicit RandomStream(std::uint64_t uSeed) { seed(uSeed); }

    //! Restarts the stream with uSeed mod 1e9: the same seed gives the same draws on
    //! every machine.
    void seed(std::uint64_t uSeed);

    //! The next draw: v * 1e-9 in [0, 1).
    double next() { return Run(*this).next(); }

    //! The next uCount draws into pOut[0..uCount-1], as uCount calls of next() give them,
    //! worked out several at a time.
    void fill(double* pOut, std::uint32_t uCount);

    //! The next draws block by block, as whole units v (the draw is v * 1e-9), for loops
    //! that use them at once. The stream moves on as the blocks are taken, and stands
    //! after the last one when the reader goes.
    class Blocks {
    public:
        static constexpr std::uint32_t kBlock = 1024;
        explicit Blocks(RandomStream& stream);
        ~Blocks();
        Blocks(const Blocks&) = delete;
        Blocks& operator=(const Blocks&) = delete;

        //! The units of the next uCount draws (at most kBlock), valid until the next call.
        const std::int32_t* next(std::uint32_t uCount);

    private:
        static constexpr int kLag = 55;
        RandomStream& m_stream;
        std::uint64_t m_uDrawn = 0;
        std::uint32_t m_uLast = 0;                    //!< draws of the last block
        alignas(16) std::int32_t m_y[kLag + kBlock];  //!< the 55 draws before the block, then the block
    };

    //! A jump of a fixed number of draws, worked out once for streams that make it often.
    class Jump {
    public:
        explicit Jump(std::uint64_t uDraws);
        std::uint64_t draws() const { return m_uDraws; }

    private:
        friend class RandomStream;
        std::uint64_t m_uDraws;
        std::array<std::uint64_t, 55> m_coefficients;  //!< x^draws mod (x^55 + x^31 - 1), lowest power first
    };

    //! Moves the stream uDraws draws ahead, as uDraws calls of next() would.
    void jump(std::uint64_t uDraws);
    //! The same with the polynomial worked out: 55^2 multiplications.
    void jump(const Jump& jump);

    //! Same table and same place in it: the next draws are the same.
    friend bool operator==(const RandomStream& a, const RandomStream& b);

    //! A run of draws. It holds the cursors in its own variables, which the stores of a
    //! sampling loop cannot touch, so they stay in registers; it puts them back at the end.
    class Run {
    public:
        explicit Run(RandomStream& stream) : m_stream(stream)
        {
            if (!stream.m_bSeeded) stream.seedFromTime();
            m_first = stream.m_first;
            m_second = stream.m_second;
        }
        ~Run()
        {
            m_stream.m_first = m_first;
            m_stream.m_second = m_second;
        }
        Run(const Run&) = delete;
        Run& operator=(const Run&) = delete;

        double next()
        {
            if (++m_first == 56) m_first = 1;
            if (++m_second == 56) m_second = 1;
            std::int64_t v = m_stream.m_table[m_first] - m_stream.m_table[m_second];
            if (v < 0) v += kModulus;
            m_stream.m_table[m_first] = v;
            return static_cast<double>(v) * 1e-9;
        }

    private:
        RandomStream& m_stream;
        unsigned m_first;
        unsigned m_second;
    };

    static constexpr std::int64_t kModulus = 1000000000;

private:
    void seedFromTime();

    std::int64_t m_table[56] = {};  //!< entries 1..55: the last 55 draws, entry m_first the latest
    unsigned m_first = 0;           //!< entry of the latest draw (0 stands for 55)
    unsigned m_second = 31;         //!< m_first + 31, wrapped into 1..55
    bool m_bSeeded = false;
};

//! The generator of UniformRandom: one serves the process, and only the analysis thread
//! draws from it (workers draw from copies moved to their place).
RandomStream& SharedRandomStream();

}  // namespace HalvrennInc
