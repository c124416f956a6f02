#include "editor/grid/pin_grid_index.h"

#include <algorithm>

void PinGridIndex::Clear() {
  m_blocks.clear();
  m_blockByName.clear();
  m_columnByGate.clear();
}

std::string PinGridIndex::Key(const CString& symbolName) {
  // The same folding as CString::CompareNoCase.
  CString key = symbolName;
  return key.MakeLower().str();
}

void PinGridIndex::AddBlock(const CString& symbolName, long firstRow, long rows) {
  if (!m_blockByName.emplace(Key(symbolName), m_blocks.size()).second) return;
  m_blocks.push_back({firstRow, rows, {}});
}

const PinGridIndex::Block* PinGridIndex::FindBlock(const CString& symbolName) const {
  const auto found = m_blockByName.find(Key(symbolName));
  return found != m_blockByName.end() ? &m_blocks[found->second] : nullptr;
}

const PinGridIndex::Block* PinGridIndex::BlockAt(long row) const {
  const auto after = std::upper_bound(m_blocks.begin(), m_blocks.end(), row,
                                      [](long value, const Block& block) { return value < block.firstRow; });
  if (after == m_blocks.begin()) return nullptr;
  const Block& block = *(after - 1);
  return row < block.firstRow + block.rows ? &block : nullptr;
}

void PinGridIndex::AddShownColumn(const CString& symbolName, long column, long rows) {
  const auto found = m_blockByName.find(Key(symbolName));
  if (found != m_blockByName.end()) m_blocks[found->second].columns.push_back({column, rows});
}

void PinGridIndex::AddColumn(int gate, long column) {
  m_columnByGate.emplace(gate, column);
}

long PinGridIndex::FindColumn(int gate) const {
  const auto found = m_columnByGate.find(gate);
  return found != m_columnByGate.end() ? found->second : -1;
}
