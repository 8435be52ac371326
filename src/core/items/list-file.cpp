#include "items/list-file.h"

#include <cstdint>
#include <cstring>
#include <optional>
#include <string_view>

#include "platform/atomic-file.h"
#include "platform/regular-file.h"
#include "text/cp932.h"

namespace murlo {

namespace {

constexpr std::string_view kHeaderV1 = "MRL_LIST_HEADER";
constexpr std::string_view kHeaderV2 = "MRL2_LIST_HEADER";
constexpr std::string_view kHeaderV3 = "MRL3_LIST_HEADER";

// Reads archive values from a buffer. Every read checks the bytes that are left, so a
// length that runs past the end fails instead of allocating or reading beyond the file.
class ArchiveReader {
 public:
  explicit ArchiveReader(std::string_view data) : data_(data) {}

  std::optional<std::uint32_t> readUint(std::size_t bytes) {
    if (data_.size() - pos_ < bytes) return std::nullopt;
    std::uint32_t v = 0;
    for (std::size_t i = 0; i < bytes; ++i) {
      v |= static_cast<std::uint32_t>(static_cast<unsigned char>(data_[pos_ + i])) << (8 * i);
    }
    pos_ += bytes;
    return v;
  }

  std::optional<std::int32_t> readInt32() {
    auto v = readUint(4);
    if (!v) return std::nullopt;
    return static_cast<std::int32_t>(*v);
  }

  std::optional<std::string> readString() {
    bool utf16 = false;
    auto length = readLength(utf16);
    if (!length) return std::nullopt;
    if (utf16) {
      // Counts 16-bit units; compare without multiplying, which could overflow.
      if ((data_.size() - pos_) / 2 < *length) return std::nullopt;
      const std::string_view units = data_.substr(pos_, std::size_t{*length} * 2);
      pos_ += units.size();
      return utf16leToCp932(units);
    }
    if (data_.size() - pos_ < *length) return std::nullopt;
    std::string s(data_.substr(pos_, *length));
    pos_ += *length;
    return s;
  }

  bool atEnd() const { return pos_ == data_.size(); }

 private:
  // The length prefix; a 0xFF 0xFFFE mark switches to UTF-16 and is followed by the real
  // prefix.
  std::optional<std::uint32_t> readLength(bool& utf16) {
    auto b = readUint(1);
    if (!b) return std::nullopt;
    if (*b < 0xFF) return *b;
    auto w = readUint(2);
    if (!w) return std::nullopt;
    if (*w == 0xFFFE) {
      if (utf16) return std::nullopt;  // the mark appears once
      utf16 = true;
      return readLength(utf16);
    }
    if (*w < 0xFFFF) return *w;
    return readUint(4);
  }

  std::string_view data_;
  std::size_t pos_ = 0;
};

void appendLength(std::string& out, std::size_t length) {
  auto put = [&](std::uint64_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
  };
  if (length < 0xFF) {
    put(length, 1);
  } else if (length < 0xFFFE) {
    put(0xFF, 1);
    put(length, 2);
  } else {
    put(0xFF, 1);
    put(0xFFFF, 2);
    put(length, 4);
  }
}

void appendString(std::string& out, std::string_view s) {
  appendLength(out, s.size());
  out.append(s);
}

}  // namespace

ListReadResult ReadList(ItemList& list, const std::string& path) {
  ListReadResult result;
  const std::optional<std::string> data = readRegularFile(path);
  if (!data) {
    result.status = ListReadStatus::kCannotOpen;
    return result;
  }
  ArchiveReader reader(*data);
  const auto header = reader.readString();
  int version = 0;
  if (header == kHeaderV3) version = 3;
  else if (header == kHeaderV1) version = 1;
  else if (header == kHeaderV2) version = 2;
  if (version == 0) {
    result.status = ListReadStatus::kNotListFile;
    return result;
  }

  ItemList::Batch batch(list);
  const auto count = reader.readInt32();
  if (!count || (version == 1 && !reader.readString())) {
    result.status = ListReadStatus::kTruncated;
    return result;
  }
  const int stringsPerItem = version + 3;
  for (std::int32_t n = 0; n < *count; ++n) {
    std::string columns[kColumnCount];
    for (int col = 0; col < stringsPerItem; ++col) {
      auto s = reader.readString();
      if (!s) {
        result.status = ListReadStatus::kTruncated;
        return result;
      }
      columns[col] = std::move(*s);
    }
    if (list.AddItem(std::move(columns[0]), std::move(columns[1]), std::move(columns[2]),
                     std::move(columns[3]), std::move(columns[4]), std::move(columns[5]))) {
      ++result.rowsAdded;
    }
  }
  if (!reader.atEnd()) result.status = ListReadStatus::kTrailingData;
  return result;
}

std::string serializeList(const ItemList& list) {
  std::string out;
  appendString(out, kHeaderV3);
  const auto n = static_cast<std::uint32_t>(list.count());
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((n >> (8 * i)) & 0xFF));
  for (int row = 0; row < list.count(); ++row) {
    for (int col = 0; col < kColumnCount; ++col) appendString(out, list.text(row, col));
  }
  return out;
}

bool WriteList(const ItemList& list, const std::string& path) {
  if (list.count() == 0) return false;
  return writeFileAtomically(path, serializeList(list));
}

std::string listReadMessage(const ListReadResult& result, const std::string& path) {
  switch (result.status) {
    case ListReadStatus::kNotListFile: return "指定のﾌｧｲﾙはMRLﾌｧｲﾙ形式ではありません";
    case ListReadStatus::kTruncated: return path + " の末尾以降にｱｸｾｽしようとしました。";
    case ListReadStatus::kTrailingData:
      return path + " の最後のｱｲﾃﾑの後にﾃﾞｰﾀが残っています。ｱｲﾃﾑ数が壊れている可能性があります。";
    case ListReadStatus::kOk:
    case ListReadStatus::kCannotOpen: break;
  }
  return {};
}

}  // namespace murlo
