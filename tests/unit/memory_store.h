// An in-memory settings accessor for the unit tests: sections of named
// values, a value that can pose as a non-string one, a write that fails.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "common/errors.h"
#include "settings/store.h"

namespace merrowin::fakes {

class MemoryStore final : public SettingsAccessor {
public:
    struct Write {
        std::string section, name, text;
        bool operator==(const Write&) const = default;
    };

    void Put(std::string_view section, std::string_view name, std::string_view text) {
        values_[Key(section, name)] = {std::string(text), true};
    }
    // Stored as a value of another type (a REG_DWORD put there by hand).
    void PutNonString(std::string_view section, std::string_view name) {
        values_[Key(section, name)] = {"", false};
    }
    // Writing this value fails as the registry would report it.
    void FailWritesOf(std::string_view name) { failingName_ = name; }

    const std::vector<Write>& writes() const { return writes_; }
    std::optional<std::string> Get(std::string_view section, std::string_view name) const {
        auto it = values_.find(Key(section, name));
        if (it == values_.end()) return std::nullopt;
        return it->second.text;
    }

    std::optional<std::string> ReadText(std::string_view section, std::string_view name) override {
        auto it = values_.find(Key(section, name));
        if (it == values_.end()) return std::nullopt;
        if (!it->second.isString) throw MerrowinError(RegistryTypeMessage(name));
        return it->second.text;
    }
    void WriteText(std::string_view section, std::string_view name,
                   std::string_view text) override {
        if (failingName_ && *failingName_ == name) throw MerrowinError(ValueWriteMessage(name));
        Put(section, name, text);
        writes_.push_back({std::string(section), std::string(name), std::string(text)});
    }
    bool SectionExists(std::string_view section) override {
        for (const auto& [key, value] : values_)
            if (key.first == section) return true;
        return false;
    }
    void DeleteSection(std::string_view section) override {
        std::erase_if(values_, [&](const auto& item) { return item.first.first == section; });
        deleted_.emplace_back(section);
    }
    const std::vector<std::string>& deleted() const { return deleted_; }

private:
    struct Value {
        std::string text;
        bool isString;
    };
    static std::pair<std::string, std::string> Key(std::string_view section,
                                                   std::string_view name) {
        return {std::string(section), std::string(name)};
    }

    std::map<std::pair<std::string, std::string>, Value> values_;
    std::vector<Write> writes_;
    std::vector<std::string> deleted_;
    std::optional<std::string> failingName_;
};

}  // namespace merrowin::fakes
