#include "server/cataloguepool.h"

#include <algorithm>

#include "catalogue/fileio.h"
#include "catalogue/filenames.h"

namespace tundrix::server {

CataloguePool::CataloguePool(std::filesystem::path dataDir, int size)
    : dataDir_(std::move(dataDir)), size_(std::size_t(std::max(size, 1))) {}

CataloguePool::Lease::~Lease() {
    if (entry_)
        pool_->giveBack(*entry_);
}

std::string CataloguePool::startStamps(int refrigerant) const {
    std::string stamps = fileStamp(dataDir_ / "condensators.dat");
    for (int b = 1; b <= kBrands; ++b) {
        for (int l = 1; l <= kLevels; ++l) {
            for (const std::string& name :
                 {coeffilename(l, b, refrigerant), listfilename(l, b, refrigerant)}) {
                if (name == kNoFile)
                    continue;
                const auto file = resolveDataPath(dataDir_, name);
                stamps += '\n';
                if (file)
                    stamps += fileStamp(*file);
            }
        }
    }
    return stamps;
}

CataloguePool::Lease CataloguePool::acquire(int refrigerant) {
    std::string stamps = startStamps(refrigerant);
    Entry* entry = nullptr;
    {
        std::unique_lock lock(mutex_);
        // Behind those already waiting, and behind those a catalogue is kept for.
        if (!waiting_.empty() || available() <= kept_) {
            Waiter self;
            waiting_.push_back(&self);
            self.woken.wait(lock, [&] { return self.served; });
            --kept_;
        }
        // A free catalogue of this refrigerant on these files, else a new one while the pool
        // may grow, else the one least recently used.
        for (const auto& e : entries_)
            if (!e->lent && e->refrigerant == refrigerant && e->stamps == stamps)
                entry = e.get();
        if (!entry && entries_.size() < size_)
            entry = entries_.emplace_back(std::make_unique<Entry>()).get();
        if (!entry)
            for (const auto& e : entries_)
                if (!e->lent && (!entry || e->lastUse < entry->lastUse))
                    entry = e.get();
        entry->lent = true;
        entry->lastUse = ++uses_;
    }
    Lease lease(*this, *entry);
    if (entry->refrigerant != refrigerant || entry->stamps != stamps) {
        entry->refrigerant = -1;  // not usable should the start fail
        entry->run = cli::startSelection(dataDir_, refrigerant);
        entry->refrigerant = refrigerant;
        entry->stamps = std::move(stamps);
    }
    return lease;
}

std::size_t CataloguePool::available() const {
    const auto idle = std::count_if(entries_.begin(), entries_.end(),
                                    [](const auto& e) { return !e->lent; });
    return size_ - entries_.size() + std::size_t(idle);
}

void CataloguePool::giveBack(Entry& entry) {
    std::lock_guard lock(mutex_);
    entry.lent = false;
    if (waiting_.empty())
        return;
    Waiter* next = waiting_.front();
    waiting_.pop_front();
    ++kept_;
    next->served = true;
    next->woken.notify_one();
}

}  // namespace tundrix::server
