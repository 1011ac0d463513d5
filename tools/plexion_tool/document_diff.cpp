#include "document_diff.h"

#include <algorithm>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "document_session.h"
#include "item_json.h"
#include "json_reader.h"
#include "json_writer.h"
#include "kind_names.h"
#include "standard_output.h"
#include "tool_failure.h"

namespace plexion::tool {
namespace {

constexpr int kExitDiffer = 1;

// An item's members as dump shows them but for its ID (items are paired by
// ID). Compared as text first: only items that differ are taken apart, one
// pair at a time, so two large documents are compared without a tree of
// either.
std::string ItemFieldsJson(int kind, const CVKT_Resource& item) {
    CJsonWriter json;
    json.BeginObject();
    json.Key("comments");
    json.Text(item.Comments());
    WriteItemFields(json, kind, item);
    json.EndObject();
    return json.Result();
}

std::vector<std::string> IdsOf(const CVKT_ResourceGroup& group) {
    std::vector<std::string> ids;
    ids.reserve(static_cast<std::size_t>(group.Count()));
    for (int index = 0; index < group.Count(); ++index) {
        ids.push_back(group.GetAt(index)->ID());
    }
    return ids;
}

void WriteValue(CJsonWriter& json, const CJsonValue& value) {
    switch (value.type) {
        case CJsonValue::Type::String:
            return json.Text(value.text);
        case CJsonValue::Type::Array:
            json.BeginArray();
            for (const CJsonValue& item : value.items) {
                WriteValue(json, item);
            }
            return json.EndArray();
        case CJsonValue::Type::Object:
            json.BeginObject();
            for (const auto& [key, member] : value.members) {
                json.Key(key);
                WriteValue(json, member);
            }
            return json.EndObject();
        default:
            return json.Number(value.text);
    }
}

// A value as dump spells it; an array of another length by its length.
std::string Shown(const CJsonValue& value) {
    if (value.type == CJsonValue::Type::Array) {
        return std::to_string(value.items.size()) + " entries";
    }
    CJsonWriter json;
    WriteValue(json, value);
    return json.Result();
}

std::string Shown(const std::string& text) {
    CJsonWriter json;
    json.Text(text);
    return json.Result();
}

bool SameValue(const CJsonValue& a, const CJsonValue& b) {
    if (a.type != b.type || a.text != b.text || a.items.size() != b.items.size() ||
        a.members.size() != b.members.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.items.size(); ++i) {
        if (!SameValue(a.items[i], b.items[i])) {
            return false;
        }
    }
    for (std::size_t i = 0; i < a.members.size(); ++i) {
        if (a.members[i].first != b.members[i].first ||
            !SameValue(a.members[i].second, b.members[i].second)) {
            return false;
        }
    }
    return true;
}

// One line per leaf that differs; arrays of another length as their lengths.
void CompareValues(const std::string& path, const CJsonValue& a, const CJsonValue& b,
                   std::vector<std::string>& changes) {
    if (SameValue(a, b)) {
        return;
    }
    if (a.type == CJsonValue::Type::Array && b.type == CJsonValue::Type::Array &&
        a.items.size() == b.items.size()) {
        for (std::size_t i = 0; i < a.items.size(); ++i) {
            CompareValues(path + "[" + std::to_string(i) + "]", a.items[i], b.items[i], changes);
        }
        return;
    }
    // A text given as {"hex": ...} is one value, not an object to walk.
    const bool bytes = a.Member("hex") || b.Member("hex");
    if (a.type == CJsonValue::Type::Object && b.type == CJsonValue::Type::Object && !bytes) {
        for (const auto& [key, value] : a.members) {
            const CJsonValue* other = b.Member(key);
            if (other) {
                CompareValues(path + "." + key, value, *other, changes);
            } else {
                changes.push_back(path + "." + key + ": " + Shown(value) + " -> (none)");
            }
        }
        for (const auto& [key, value] : b.members) {
            if (!a.Member(key)) {
                changes.push_back(path + "." + key + ": (none) -> " + Shown(value));
            }
        }
        return;
    }
    changes.push_back(path + ": " + Shown(a) + " -> " + Shown(b));
}

// Positions in B of the pairs (in A's order) that keep their order: the
// longest increasing run; every other pair has moved.
std::vector<bool> KeptOrder(const std::vector<int>& positions) {
    std::vector<int> tails;  // index into positions of the smallest tail per length
    std::vector<int> previous(positions.size(), -1);
    for (std::size_t i = 0; i < positions.size(); ++i) {
        const auto at = std::lower_bound(tails.begin(), tails.end(), positions[i],
                                         [&](int t, int value) { return positions[t] < value; });
        if (at != tails.begin()) {
            previous[i] = *(at - 1);
        }
        if (at == tails.end()) {
            tails.push_back(static_cast<int>(i));
        } else {
            *at = static_cast<int>(i);
        }
    }
    std::vector<bool> kept(positions.size(), false);
    for (int i = tails.empty() ? -1 : tails.back(); i >= 0; i = previous[i]) {
        kept[i] = true;
    }
    return kept;
}

void CompareGroup(int kind, const CVKT_ResourceGroup& groupA, const CVKT_ResourceGroup& groupB,
                  std::vector<std::string>& lines) {
    const std::string group = KindName(kind) + ": ";
    const std::vector<std::string> a = IdsOf(groupA);
    const std::vector<std::string> b = IdsOf(groupB);
    // Items pair by ID, the n-th item of an ID in A with the n-th in B.
    std::map<std::string, std::deque<int>> inB;
    for (std::size_t j = 0; j < b.size(); ++j) {
        inB[b[j]].push_back(static_cast<int>(j));
    }
    std::vector<std::pair<int, int>> pairs;
    std::vector<bool> pairedB(b.size(), false);
    for (std::size_t i = 0; i < a.size(); ++i) {
        std::deque<int>& candidates = inB[a[i]];
        if (candidates.empty()) {
            lines.push_back(group + "removed " + std::to_string(i) + " " + Shown(a[i]));
            continue;
        }
        pairs.emplace_back(static_cast<int>(i), candidates.front());
        pairedB[static_cast<std::size_t>(candidates.front())] = true;
        candidates.pop_front();
    }
    for (std::size_t j = 0; j < b.size(); ++j) {
        if (!pairedB[j]) {
            lines.push_back(group + "added " + std::to_string(j) + " " + Shown(b[j]));
        }
    }
    std::vector<int> positions;
    for (const auto& pair : pairs) {
        positions.push_back(pair.second);
    }
    const std::vector<bool> kept = KeptOrder(positions);
    for (std::size_t p = 0; p < pairs.size(); ++p) {
        const auto [i, j] = pairs[p];
        const std::string& id = a[static_cast<std::size_t>(i)];
        if (!kept[p]) {
            lines.push_back(group + "moved " + Shown(id) + " from " + std::to_string(i) + " to " +
                            std::to_string(j));
        }
        const std::string textA = ItemFieldsJson(kind, *groupA.GetAt(i));
        const std::string textB = ItemFieldsJson(kind, *groupB.GetAt(j));
        if (textA == textB) {
            continue;
        }
        std::vector<std::string> changes;
        const CJsonValue before = ParseJson(textA);
        const CJsonValue after = ParseJson(textB);
        for (const auto& [key, value] : before.members) {
            CompareValues(key, value, *after.Member(key), changes);
        }
        for (const std::string& change : changes) {
            lines.push_back(group + "changed " + std::to_string(j) + " " + Shown(id) + ": " +
                            change);
        }
    }
}

}  // namespace

int RunDiff(const CToolOptions& options) {
    CDocumentSession first(options);
    first.Open(options.arguments.at(0));
    first.DecodePictures();
    CDocumentSession second(options);
    second.Open(options.arguments.at(1));
    second.DecodePictures();
    const CVKT_ResourceContainer& a = first.Resources();
    const CVKT_ResourceContainer& b = second.Resources();
    std::vector<std::string> lines;
    if (a.GetName() != b.GetName()) {
        lines.push_back("name: " + Shown(a.GetName()) + " -> " + Shown(b.GetName()));
    }
    if (a.GetComments() != b.GetComments()) {
        lines.push_back("comments: " + Shown(a.GetComments()) + " -> " + Shown(b.GetComments()));
    }
    for (int kind = 0; kind < kKindCount; ++kind) {
        CompareGroup(kind, *a.GroupAt(kind), *b.GroupAt(kind), lines);
    }
    for (const std::string& line : lines) {
        PrintLine(line);
    }
    return lines.empty() ? kExitOk : kExitDiffer;
}

}  // namespace plexion::tool
