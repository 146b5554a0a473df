// The service's JSON API under /api/v1/, apart from HTTP: each call takes what the request
// carries and gives the status, the type and the bytes of the answer. Bad input is an ApiError
// with a status of 4xx and a message for the user; nothing a request sends makes a 500.
#pragma once

#include <filesystem>
#include <map>
#include <stdexcept>
#include <string>
#include <string_view>

#include "calculation/calculation.h"
#include "server/cataloguepool.h"

namespace tundrix::server {

struct Reply {
    int status = 200;
    std::string contentType = "application/json";
    std::string body;
    std::string fileName;  // a download's name (Content-Disposition), empty for none
};

struct ApiError : std::runtime_error {
    ApiError(int status, const std::string& message)
        : std::runtime_error(message), status(status) {}
    int status;
};

using Query = std::multimap<std::string, std::string>;

class Api {
public:
    // `parallelRuns`: catalogues started for selection runs at most (runs at the same time).
    Api(std::filesystem::path dataDir, int parallelRuns, char decimalSeparator);

    Reply refrigerants() const;
    Reply kinds() const;
    Reply select(std::string_view body);
    Reply unit(const std::string& kind, const std::string& refrigerant, const std::string& name);
    // A picture or drawing of the catalogue; anything outside their folders is ApiError 404.
    Reply file(const std::string& path) const;
    Reply report(std::string_view body, const Query& query);
    Reply list(std::string_view body);
    Reply offer(std::string_view body, const Query& query);
    Reply check(std::string_view body);

    const std::filesystem::path& dataDir() const { return pool_.dataDir(); }

private:
    // A selection run of a request on a catalogue lent by the pool (its result lives there).
    struct Selection {
        CataloguePool::Lease lease;
        cli::SelectionSetup setup;
        Calculation calculation;
    };
    Selection selection(std::string_view body);

    CataloguePool pool_;
    char separator_;
};

// What of a calculation a request carries.
enum class Part { Whole, Inputs, Basket };

// The calculation a request's body describes, parsed and read by the calculation reader (its
// limits: nesting up to kCalculationMaxDepth, kCalculationMaxBasketRows basket rows; its
// messages: ApiError 400): a whole calculation file (any part), or only
// - Part::Inputs: the `inputs` member;
// - Part::Basket: the `basket` member (a list), or calculation members without format and
//   version (`basket`, and `inputs` and the rest when the offer should state them).
// What is left out takes the reader's defaults.
Calculation requestCalculation(std::string_view body, Part part);

}  // namespace tundrix::server
