// Started catalogues for the service's selection runs. Starting one (the condenser list and every
// brand's performance data for a refrigerant) costs more than a run, so a catalogue is started
// once and then lent to one request at a time; at most `size` exist, and a request waits while all
// are lent, in the order the requests came (a catalogue given back goes to the longest waiting). A catalogue is started again when the files it preloaded changed on disk (their stamps,
// as the details view compares them); the unit lists and the property table it keeps are checked
// by every run against their stamps (Catalogue::loadunits, CycleState::loadRefrigerant), so every
// request sees the catalogue as it is on disk.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "cli/selectrun.h"

namespace tundrix::server {

class CataloguePool {
    struct Entry {
        cli::SelectionRun run;
        int refrigerant = -1;
        std::string stamps;
        bool lent = false;
        std::uint64_t lastUse = 0;
    };

public:
    CataloguePool(std::filesystem::path dataDir, int size);

    // A started catalogue, given back to the pool when the lease ends.
    class Lease {
    public:
        Lease(CataloguePool& pool, Entry& entry) : pool_(&pool), entry_(&entry) {}
        Lease(Lease&& other) noexcept : pool_(other.pool_), entry_(other.entry_) {
            other.entry_ = nullptr;
        }
        Lease(const Lease&) = delete;
        Lease& operator=(const Lease&) = delete;
        Lease& operator=(Lease&&) = delete;
        ~Lease();
        cli::SelectionRun& run() { return entry_->run; }

    private:
        CataloguePool* pool_;
        Entry* entry_;
    };

    // A catalogue started for the refrigerant on the files as they are now.
    Lease acquire(int refrigerant);

    const std::filesystem::path& dataDir() const { return dataDir_; }

    // The stamps of the files that starting a catalogue for the refrigerant reads.
    std::string startStamps(int refrigerant) const;

private:
    void giveBack(Entry& entry);
    // Catalogues not lent, or not yet started while the pool may grow (mutex_ held).
    std::size_t available() const;

    // A request waiting for a catalogue; woken when one is kept for it.
    struct Waiter {
        std::condition_variable woken;
        bool served = false;
    };

    std::filesystem::path dataDir_;
    std::size_t size_;
    std::mutex mutex_;
    std::vector<std::unique_ptr<Entry>> entries_;
    std::deque<Waiter*> waiting_;  // first come, first served
    std::size_t kept_ = 0;         // available catalogues promised to woken waiters
    std::uint64_t uses_ = 0;
};

}  // namespace tundrix::server
