#pragma once

#include <QtGlobal>

#include <array>
#include <optional>
#include <vector>

namespace chart {

// A map from 16-bit piece numbers to values that keeps the enumeration order
// hosts depend on: 17 buckets; a key's bucket is the key sign-extended to 32
// bits, taken as unsigned, shifted right by 4, modulo 17; a new key goes to
// the head of its bucket's chain.  Enumeration walks buckets 0..16 and each
// chain from its head, so keys 0..15 (all in bucket 0) come out newest first.
template<typename Value>
class BucketTable
{
public:
    static constexpr int BucketCount = 17;

    static int bucketOf(qint16 key)
    {
        const quint32 wide = quint32(qint32(key));
        return int((wide >> 4) % BucketCount);
    }

    int size() const { return m_size; }
    bool isEmpty() const { return m_size == 0; }

    bool contains(qint16 key) const { return find(key) != nullptr; }

    const Value *find(qint16 key) const
    {
        for (const Node &n : m_buckets[size_t(bucketOf(key))]) {
            if (n.key == key)
                return &n.value;
        }
        return nullptr;
    }
    Value *find(qint16 key)
    {
        return const_cast<Value *>(static_cast<const BucketTable *>(this)->find(key));
    }

    // The value for the key, created at the head of its chain when new.
    Value &operator[](qint16 key)
    {
        if (Value *v = find(key))
            return *v;
        auto &chain = m_buckets[size_t(bucketOf(key))];
        chain.push_back(Node{key, Value{}}); // the back of the vector is the chain's head
        ++m_size;
        return chain.back().value;
    }

    bool remove(qint16 key)
    {
        auto &chain = m_buckets[size_t(bucketOf(key))];
        for (auto it = chain.begin(); it != chain.end(); ++it) {
            if (it->key == key) {
                chain.erase(it);
                --m_size;
                return true;
            }
        }
        return false;
    }

    void clear()
    {
        for (auto &chain : m_buckets)
            chain.clear();
        m_size = 0;
    }

    // Calls f(key, value) for every entry in enumeration order.
    template<typename F>
    void forEach(F &&f) const
    {
        for (const auto &chain : m_buckets) {
            for (auto it = chain.rbegin(); it != chain.rend(); ++it)
                f(it->key, it->value);
        }
    }

    std::vector<qint16> keys() const
    {
        std::vector<qint16> result;
        result.reserve(size_t(m_size));
        forEach([&](qint16 key, const Value &) { result.push_back(key); });
        return result;
    }

private:
    struct Node
    {
        qint16 key;
        Value value;
    };
    std::array<std::vector<Node>, BucketCount> m_buckets;
    int m_size = 0;
};

} // namespace chart
