// PinGridIndex: where the pin grid's symbol blocks and gate columns are. The grid keeps
// this beside its cells so that finding a block by name, the block of a row or the
// column of a gate takes no walk over rows or headers, which would make work per
// terminal grow with the number of gates. The grid clears it on every fill and adds to
// it as it adds blocks and columns, so it always mirrors the cells.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "platform/cstring.h"

class PinGridIndex {
 public:
  // A gate column's cells in a block: the first `rows` rows of the block, in `column`.
  struct ShownColumn {
    long column = 0;
    long rows = 0;
  };
  struct Block {
    long firstRow = 0;
    long rows = 0;
    // In column order: the gate columns that show the block's terminals.
    std::vector<ShownColumn> columns;
  };

  void Clear();

  // Blocks come in row order, each right below the one before. A name that has a
  // block already keeps the first.
  void AddBlock(const CString& symbolName, long firstRow, long rows);
  // The block of the symbol name, compared ignoring case; null when none.
  const Block* FindBlock(const CString& symbolName) const;
  // The block that holds the row; null when none does.
  const Block* BlockAt(long row) const;
  // In row order.
  const std::vector<Block>& Blocks() const { return m_blocks; }
  // The gate column shows the first `rows` terminals of the symbol's block; nothing
  // when the symbol has no block.
  void AddShownColumn(const CString& symbolName, long column, long rows);

  // A gate index that has a column already keeps the first.
  void AddColumn(int gate, long column);
  // -1 when the gate has no column.
  long FindColumn(int gate) const;

 private:
  static std::string Key(const CString& symbolName);

  std::vector<Block> m_blocks;
  std::unordered_map<std::string, size_t> m_blockByName;
  std::unordered_map<int, long> m_columnByGate;
};
