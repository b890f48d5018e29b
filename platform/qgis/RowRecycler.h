#pragma once
// Hands out rows each owned by its caller alone, for cursors that hand out
// a million rows one at a time. The standard library releases a sole owner
// without an atomic count update, so a row and its count block cost no
// atomic operation and no allocation: a released row and its block come
// back here for the next row. Sharing the row (copying the reference) stays
// correct, it merely pays the atomic updates again. The recycler lives until
// its holder and the last row it handed out are gone (it counts its holder
// and the count blocks out); that count is not atomic, so the recycler, its
// holder and its rows belong to one thread (the UI thread for the QGIS
// host).
//
//   auto recycler = RowRecycler<MyRow>::Holder::make();
//   MyRow* row = recycler->take();            // a released row, or null
//   if (row == nullptr) row = new MyRow(...);
//   std::shared_ptr<MyRow> owned = recycler->own(row);

#include <cstddef>
#include <memory>
#include <new>
#include <utility>
#include <vector>

namespace corvane::qgis {

template <class Row>
class RowRecycler {
public:
    // The holder's share of the recycler.
    class Holder {
    public:
        static Holder make() { return Holder(new RowRecycler); }
        Holder(const Holder&) = delete;
        Holder& operator=(const Holder&) = delete;
        Holder(Holder&& other) noexcept : m_recycler(std::exchange(other.m_recycler, nullptr)) {}
        Holder& operator=(Holder&&) = delete;
        ~Holder()
        {
            if (m_recycler != nullptr) m_recycler->release();
        }
        RowRecycler* operator->() const noexcept { return m_recycler; }

    private:
        explicit Holder(RowRecycler* recycler) : m_recycler(recycler) {}
        RowRecycler* m_recycler;
    };

    RowRecycler(const RowRecycler&) = delete;
    RowRecycler& operator=(const RowRecycler&) = delete;

    // A row released by its last owner, or null when none is.
    Row* take() noexcept
    {
        if (m_rows.empty()) return nullptr;
        Row* row = m_rows.back().release();
        m_rows.pop_back();
        return row;
    }

    // The sole owner of `row` (taken from here or new); released, the row
    // comes back here.
    std::shared_ptr<Row> own(Row* row) { return std::shared_ptr<Row>(row, GiveBack{this}, Allocator<Row>(this)); }

private:
    struct GiveBack {
        RowRecycler* recycler;
        void operator()(Row* row) const noexcept { recycler->giveBack(row); }
    };

    // Count blocks come from and go back to the recycler, and each block
    // out keeps it alive: the block goes back last when a row is released.
    template <class T>
    struct Allocator {
        using value_type = T;
        template <class U>
        struct rebind {
            using other = Allocator<U>;
        };
        explicit Allocator(RowRecycler* owner) noexcept : recycler(owner) {}
        template <class U>
        Allocator(const Allocator<U>& other) noexcept : recycler(other.recycler)
        {
        }
        T* allocate(std::size_t count) { return static_cast<T*>(recycler->takeBlock(count * sizeof(T))); }
        void deallocate(T* block, std::size_t count) noexcept { recycler->giveBackBlock(block, count * sizeof(T)); }
        template <class U>
        bool operator==(const Allocator<U>& other) const noexcept
        {
            return recycler == other.recycler;
        }
        RowRecycler* recycler;
    };

    // Rows and blocks kept for reuse; callers hold one or two at a time.
    static constexpr std::size_t kKept = 4;

    RowRecycler()
    {
        // Giving back then never allocates.
        m_rows.reserve(kKept);
        m_blocks.reserve(kKept);
    }
    ~RowRecycler()
    {
        for (void* block : m_blocks) ::operator delete(block);
    }

    void release() noexcept
    {
        if (--m_refs == 0) destroy();
    }
    // Out of line: inlined, the compiler cannot see that no count update
    // follows the last one, and warns of a use after free.
    [[gnu::noinline]] void destroy() noexcept { delete this; }

    void giveBack(Row* row) noexcept
    {
        std::unique_ptr<Row> owned(row);
        if (m_rows.size() < kKept) m_rows.push_back(std::move(owned));
    }

    void* takeBlock(std::size_t size)
    {
        void* block = nullptr;
        if (size == m_blockSize && !m_blocks.empty()) {
            block = m_blocks.back();
            m_blocks.pop_back();
        } else {
            block = ::operator new(size);
        }
        ++m_refs;
        return block;
    }

    void giveBackBlock(void* block, std::size_t size) noexcept
    {
        // Every block is of the one count-block type of own().
        if (m_blockSize == 0) m_blockSize = size;
        if (size == m_blockSize && m_blocks.size() < kKept) {
            m_blocks.push_back(block);
        } else {
            ::operator delete(block);
        }
        release();
    }

    long m_refs = 1;  // the holder's, and one per block out
    std::vector<std::unique_ptr<Row>> m_rows;
    std::vector<void*> m_blocks;
    std::size_t m_blockSize = 0;
};

} // namespace corvane::qgis
