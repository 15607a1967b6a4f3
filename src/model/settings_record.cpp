#include "settings_record.h"

#include <stdexcept>

namespace quendra {

namespace {
constexpr std::size_t kBlockSize = 250;
}

SettingsRecord::SettingsRecord()
    : blockA_(kBlockSize, ' '), blockB_(kBlockSize, ' '), blockC_(kBlockSize, ' ') {}

const std::string& SettingsRecord::BlockFor(int position, int& offset) const {
    if (position < 1) throw std::out_of_range("settings position");
    if (position < 250) {
        offset = position;
        return blockA_;
    }
    if (position < 500) {
        offset = position - 250;
        return blockB_;
    }
    offset = position - 500;
    return blockC_;
}

std::string& SettingsRecord::BlockFor(int position, int& offset) {
    const auto& self = *this;
    return const_cast<std::string&>(self.BlockFor(position, offset));
}

std::string SettingsRecord::GetSetting(int position, int length) const {
    int offset = 0;
    const std::string& block = BlockFor(position, offset);
    std::string value;
    // Character p of block A sits at index p (index 0 is never addressed).
    if (static_cast<std::size_t>(offset) < block.size())
        value = block.substr(static_cast<std::size_t>(offset), static_cast<std::size_t>(length));
    const auto end = value.find_last_not_of(' ');
    value.erase(end == std::string::npos ? 0 : end + 1);
    return value;
}

void SettingsRecord::SetSetting(int position, int length, std::string_view value) {
    int offset = 0;
    std::string& block = BlockFor(position, offset);
    const auto start = value.find_first_not_of(' ');
    value = start == std::string_view::npos ? std::string_view{} : value.substr(start);
    std::string field(value.substr(0, static_cast<std::size_t>(length)));
    field.resize(static_cast<std::size_t>(length), ' ');
    const std::size_t end = static_cast<std::size_t>(offset) + field.size();
    if (block.size() < end) block.resize(end, ' ');
    block.replace(static_cast<std::size_t>(offset), field.size(), field);
}

} // namespace quendra
