// The name table of a compile.
#include "pascal/names.h"

namespace pascal {

static inline char upperAscii(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
}

NameTable::NameTable()
{
    m_slots.assign(1024, kNoName);
    static const char* const keywords[] = {
#define PASCAL_KW_TEXT(k) #k,
        PASCAL_KEYWORDS(PASCAL_KW_TEXT)
#undef PASCAL_KW_TEXT
    };
    for (const char* k : keywords)
        intern(k);
}

std::uint32_t NameTable::hash(std::string_view s)
{
    std::uint32_t h = 2166136261u;
    for (char c : s) {
        h ^= static_cast<unsigned char>(upperAscii(c));
        h *= 16777619u;
    }
    return h;
}

NameId NameTable::find(std::string_view name) const
{
    std::uint32_t h = hash(name);
    std::size_t mask = m_slots.size() - 1;
    for (std::size_t i = h & mask;; i = (i + 1) & mask) {
        NameId id = m_slots[i];
        if (id == kNoName)
            return kNoName;
        if (m_hashes[id] == h && m_upper[id].size() == name.size()) {
            const std::string& u = m_upper[id];
            bool same = true;
            for (std::size_t k = 0; k < name.size(); ++k) {
                if (u[k] != upperAscii(name[k])) {
                    same = false;
                    break;
                }
            }
            if (same)
                return id;
        }
    }
}

NameId NameTable::intern(std::string_view name)
{
    NameId found = find(name);
    if (found != kNoName)
        return found;
    if ((m_upper.size() + 1) * 2 > m_slots.size())
        grow();
    NameId id = static_cast<NameId>(m_upper.size());
    std::string u(name);
    for (char& c : u)
        c = upperAscii(c);
    std::uint32_t h = hash(name);
    m_upper.push_back(std::move(u));
    m_spelling.emplace_back(name);
    m_hashes.push_back(h);
    std::size_t mask = m_slots.size() - 1;
    std::size_t i = h & mask;
    while (m_slots[i] != kNoName)
        i = (i + 1) & mask;
    m_slots[i] = id;
    return id;
}

void NameTable::grow()
{
    std::vector<NameId> slots(m_slots.size() * 2, kNoName);
    std::size_t mask = slots.size() - 1;
    for (NameId id = 0; id < m_upper.size(); ++id) {
        std::size_t i = m_hashes[id] & mask;
        while (slots[i] != kNoName)
            i = (i + 1) & mask;
        slots[i] = id;
    }
    m_slots.swap(slots);
}

} // namespace pascal
