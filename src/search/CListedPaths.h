#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The set of paths already listed, by exact comparison (letter case
// included). It holds no text of its own: each entry points at a string that
// someone else keeps in place, unchanged, until Clear (the candidate table's
// rows, which never move). Open addressing with linear probing; entries are
// only ever added, and all go at once.
//
// One thread at a time, like its owner.
class CListedPaths
{
public:
    bool Contains(std::string_view path) const;
    // Adds strPath, which must not be in the set yet. The string must stay at
    // this address and keep its text until Clear.
    void Add(const std::string& strPath);
    // Forgets every entry and gives the memory back.
    void Clear();

    size_t Size() const { return m_nSize; }
    // Bytes the set itself holds (its slots), for measurements.
    size_t BytesHeld() const
    {
        return m_slots.capacity() * sizeof(const std::string*) +
               m_hashes.capacity() * sizeof(uint32_t);
    }

private:
    static uint64_t Hash(std::string_view path);
    void Grow();

    // Parallel arrays, a power of two long; nullptr marks a free slot.
    std::vector<const std::string*> m_slots;
    std::vector<uint32_t> m_hashes; // each entry's tag: the upper half of its hash
    size_t m_nSize = 0;
};
