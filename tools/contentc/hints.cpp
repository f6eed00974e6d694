// The hints and the walkthrough they are checked against.
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/walkthrough.h"
#include "steps.h"

namespace contentc {

namespace {
std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}
}  // namespace

bool BuildHints(const std::string& contentDir, bool allowMissing, Output& out, Diagnostics& diag, HintSources& sources) {
    std::string hints = contentDir + "/hints/hints.txt", route = contentDir + "/hints/walkthrough.txt";
    bool have = true;
    for (const std::string& f : {hints, route}) {
        if (std::filesystem::exists(f)) continue;
        have = false;
        if (!allowMissing) diag.error(f + ": missing");
    }
    if (!have) return false;
    std::vector<std::string> errors;
    sources.book = lnf::ParseHints(ReadText(hints), errors);
    for (const std::string& e : errors) diag.error(hints + ": " + e);
    size_t hintErrors = errors.size();
    errors.clear();
    sources.route = lnf::ParseRoute(ReadText(route), errors);
    for (const std::string& e : errors) diag.error(route + ": " + e);
    if (hintErrors + errors.size() > 0) return false;
    std::string compiled = lnf::FormatHints(sources.book);
    out.resource(lnf::kTextResource, lnf::kHintsResource, std::vector<uint8_t>(compiled.begin(), compiled.end()));
    return true;
}

bool CheckHints(const HintSources& sources, const std::string& gameDir, const std::vector<uint8_t>& pack,
                Diagnostics& diag) {
    lnf::ResourcePack resources(pack);
    lnf::CoverageResult r = lnf::CheckHintCoverage(sources.book, sources.route, gameDir, resources);
    for (const std::string& p : r.problems) diag.error("hints: " + p);
    std::cout << "hints: " << sources.book.hints.size() << " hints; the walkthrough at both levels and "
              << sources.route.traps.size() << " order traps pass through " << r.distinctStates.size()
              << " distinct states (" << r.statesChecked << " asked), answered by " << r.hintsGiven.size()
              << " different hints\n";
    return r.problems.empty();
}

}  // namespace contentc
