// Typed handle tables: a 32-bit handle is kind, generation and slot index, so a stale or zero handle
// finds nothing and the call that holds it fails harmlessly.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/types.h"

namespace platform {

enum class HandleKind : uint32_t {
    None = 0,
    Window = 1,
    DeviceContext = 2,
    GlContext = 3,
    Bitmap = 4,
    Palette = 5,
    Region = 6,
    Cursor = 7,
    Icon = 8,
    Brush = 9,
    MemoryDc = 10,
    GlobalMemory = 11,
};

// Bits 0..15: slot index + 1; bits 16..27: generation; bits 28..31: kind.
inline HandleKind handle_kind(HANDLE handle) { return static_cast<HandleKind>(handle >> 28); }

template <typename T, HandleKind Kind>
class HandleTable {
public:
    // Stores the object and returns its handle (0 when the table is full).
    HANDLE add(std::unique_ptr<T> object) {
        size_t slot = 0;
        while (slot < slots_.size() && slots_[slot].object) ++slot;
        if (slot == slots_.size()) {
            if (slots_.size() >= kMaxSlots) return 0;
            slots_.push_back({});
        }
        Slot& entry = slots_[slot];
        entry.generation = (entry.generation + 1) & 0xFFF;
        if (entry.generation == 0) entry.generation = 1;
        entry.object = std::move(object);
        return (static_cast<uint32_t>(Kind) << 28) | (entry.generation << 16) | static_cast<uint32_t>(slot + 1);
    }

    // The live object the handle names, or null for 0, a stale handle or a handle of another kind.
    T* get(HANDLE handle) const {
        const Slot* entry = find(handle);
        return entry ? entry->object.get() : nullptr;
    }

    // Removes and returns the object; null when the handle names nothing.
    std::unique_ptr<T> remove(HANDLE handle) {
        Slot* entry = const_cast<Slot*>(find(handle));
        if (!entry) return nullptr;
        return std::move(entry->object);
    }

    template <typename F>
    void for_each(F&& visit) const {
        for (size_t slot = 0; slot < slots_.size(); ++slot) {
            if (slots_[slot].object) {
                visit(handle_of(slot), *slots_[slot].object);
            }
        }
    }

private:
    static constexpr size_t kMaxSlots = 0xFFFF;

    struct Slot {
        uint32_t generation = 0;
        std::unique_ptr<T> object;
    };

    HANDLE handle_of(size_t slot) const {
        return (static_cast<uint32_t>(Kind) << 28) | (slots_[slot].generation << 16) | static_cast<uint32_t>(slot + 1);
    }

    const Slot* find(HANDLE handle) const {
        if (handle == 0 || handle_kind(handle) != Kind) return nullptr;
        const size_t index = (handle & 0xFFFF);
        if (index == 0 || index > slots_.size()) return nullptr;
        const Slot& entry = slots_[index - 1];
        if (!entry.object || entry.generation != ((handle >> 16) & 0xFFF)) return nullptr;
        return &entry;
    }

    std::vector<Slot> slots_;
};

}  // namespace platform
