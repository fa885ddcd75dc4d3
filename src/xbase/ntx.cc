#include "xbase/ntx.h"
#include "xbase/little_endian.h"

#include <algorithm>
#include <cstring>
#include <numeric>

#include "base/replacing_file.h"

namespace kav::xbase {

namespace {

constexpr int kMaxDepth = 40;            // deeper than any real tree: a loop in a damaged file
constexpr size_t kCachePages = 4096;     // 4 MB per open index
constexpr size_t kPendingLimit = 1 << 16;


// Raw view of one page: count, slot offsets, items of (child, recno, key).
struct PageView {
  char* d;
  int item_size;
  int count() const { return rd16(d); }
  void set_count(int n) { wr16(d, static_cast<uint16_t>(n)); }
  int off(int i) const { return rd16(d + 2 + 2 * i); }
  void set_off(int i, int v) { wr16(d + 2 + 2 * i, static_cast<uint16_t>(v)); }
  char* item(int i) const { return d + off(i); }
  uint32_t child(int i) const { return rd32(item(i)); }
  uint32_t recno(int i) const { return rd32(item(i) + 4); }
  const char* key(int i) const { return item(i) + 8; }
};

std::string encode_header(const NtxHeader& h) {
  std::string b(kPageSize, '\0');
  wr16(&b[0], h.signature);
  wr16(&b[2], h.version);
  wr32(&b[4], h.root);
  wr32(&b[8], h.next_free);
  wr16(&b[12], h.item_size);
  wr16(&b[14], h.key_size);
  wr16(&b[16], h.decimals);
  wr16(&b[18], h.max_item);
  wr16(&b[20], h.half_page);
  std::memcpy(&b[22], h.expression.data(), std::min<size_t>(h.expression.size(), 255));
  b[278] = h.unique ? 1 : 0;
  return b;
}

void encode_node_into(char* d, const NtxHeader& h, const std::vector<std::string_view>& keys,
                      const std::vector<uint32_t>& children, const std::vector<uint32_t>& recnos,
                      uint32_t right) {
  std::memset(d, 0, kPageSize);
  int n = static_cast<int>(keys.size());
  int base = 2 + 2 * (h.max_item + 1);
  PageView v{d, h.item_size};
  v.set_count(n);
  for (int i = 0; i <= h.max_item; ++i) v.set_off(i, base + i * h.item_size);
  for (int i = 0; i < n; ++i) {
    wr32(v.item(i), children[i]);
    wr32(v.item(i) + 4, recnos[i]);
    std::memcpy(v.item(i) + 8, keys[i].data(), h.key_size);
  }
  wr32(v.item(n), right);
}

}  // namespace

void ntx_geometry(int key_size, NtxHeader* h) {
  h->key_size = static_cast<uint16_t>(key_size);
  h->item_size = static_cast<uint16_t>(key_size + 8);
  int max_item = (kPageSize - 2 - 4) / (h->item_size + 2) - 1;
  if (max_item % 2) --max_item;
  h->max_item = static_cast<uint16_t>(max_item);
  h->half_page = static_cast<uint16_t>(max_item / 2);
}

// ---------------------------------------------------------------------------
// Opening

NtxIndex::NtxIndex(std::unique_ptr<File> file, NtxHeader hdr)
    : file_(std::move(file)), hdr_(std::move(hdr)), cache_(file_.get(), kCachePages) {}

NtxIndex::~NtxIndex() { Flush(); }

Status NtxIndex::Open(const std::string& path, std::unique_ptr<NtxIndex>* out) {
  std::unique_ptr<File> f;
  KAV_RETURN_IF_ERROR(File::Open(path, &f));
  auto bad = [&](const char* why) {
    return Status::Corrupt(std::string("indice danificado (") + why + "): " + path);
  };
  if (f->size() < 2 * static_cast<uint64_t>(kPageSize)) return bad("cabecalho curto");
  char b[kPageSize];
  KAV_RETURN_IF_ERROR(f->Read(0, kPageSize, b));
  NtxHeader h;
  h.signature = rd16(b);
  h.version = rd16(b + 2);
  h.root = rd32(b + 4);
  h.next_free = rd32(b + 8);
  h.item_size = rd16(b + 12);
  h.key_size = rd16(b + 14);
  h.decimals = rd16(b + 16);
  h.max_item = rd16(b + 18);
  h.half_page = rd16(b + 20);
  h.expression.assign(b + 22, strnlen(b + 22, 256));
  h.unique = b[278] != 0;
  if (h.signature != 6 && h.signature != 3 && h.signature != 0x106) return bad("assinatura");
  if (h.key_size < 1 || h.key_size > 250 || h.item_size != h.key_size + 8) return bad("chave");
  if (h.max_item < 2 || 2 + 2 * (h.max_item + 1) + (h.max_item + 1) * h.item_size > kPageSize)
    return bad("itens por pagina");
  if (h.half_page < 1 || h.half_page > h.max_item) h.half_page = h.max_item / 2;
  if (h.root == 0 || h.root % kPageSize || h.root + static_cast<uint64_t>(kPageSize) > f->size())
    return bad("raiz fora do arquivo");
  out->reset(new NtxIndex(std::move(f), std::move(h)));
  return Status::Ok();
}

Status NtxIndex::WriteHeader() {
  std::string b = encode_header(hdr_);
  KAV_RETURN_IF_ERROR(file_->Write(0, b.data(), b.size()));
  header_dirty_ = false;
  return Status::Ok();
}

Status NtxIndex::Flush() {
  KAV_RETURN_IF_ERROR(ApplyPending());
  KAV_RETURN_IF_ERROR(cache_.FlushAll());
  if (header_dirty_) KAV_RETURN_IF_ERROR(WriteHeader());
  return Status::Ok();
}

// ---------------------------------------------------------------------------
// Pages

Status NtxIndex::Page(uint32_t offset, char** p) {
  KAV_RETURN_IF_ERROR(cache_.Get(offset, p));
  PageView v{*p, hdr_.item_size};
  int n = v.count();
  auto bad = [&](const char* why) {
    return Status::Corrupt(std::string("indice danificado (") + why + "): " + path());
  };
  if (n > hdr_.max_item) return bad("contagem de itens");
  int lo = 2 + 2 * (hdr_.max_item + 1);
  bool leaf = false;
  for (int i = 0; i <= n; ++i) {
    int o = v.off(i);
    if (o < lo || o + hdr_.item_size > kPageSize) return bad("item fora da pagina");
    uint32_t c = rd32(*p + o);
    if (i == 0) leaf = c == 0;
    else if ((c == 0) != leaf) return bad("pagina mista");
    if (c != 0 && (c % kPageSize || c + static_cast<uint64_t>(kPageSize) > cache_.file_end()))
      return bad("pagina fora do arquivo");
  }
  return Status::Ok();
}

Status NtxIndex::LoadNode(uint32_t offset, Node* n) {
  char* p = nullptr;
  KAV_RETURN_IF_ERROR(Page(offset, &p));
  PageView v{p, hdr_.item_size};
  int c = v.count();
  n->items.resize(static_cast<size_t>(c));
  for (int i = 0; i < c; ++i) {
    n->items[i].child = v.child(i);
    n->items[i].recno = v.recno(i);
    n->items[i].key.assign(v.key(i), hdr_.key_size);
  }
  n->right = v.child(c);
  return Status::Ok();
}

Status NtxIndex::StoreNode(uint32_t offset, const Node& n) {
  char* p = nullptr;
  KAV_RETURN_IF_ERROR(cache_.Get(offset, &p));
  std::vector<std::string_view> keys;
  std::vector<uint32_t> children, recnos;
  for (const Item& it : n.items) {
    keys.emplace_back(it.key);
    children.push_back(it.child);
    recnos.push_back(it.recno);
  }
  encode_node_into(p, hdr_, keys, children, recnos, n.right);
  cache_.MarkDirty(offset);
  return Status::Ok();
}

Status NtxIndex::NewNode(const Node& n, uint32_t* offset) {
  char* p = nullptr;
  KAV_RETURN_IF_ERROR(cache_.Allocate(offset, &p));
  return StoreNode(*offset, n);
}

int NtxIndex::Compare(const char* a, std::string_view key, uint32_t a_rec, uint32_t b_rec) const {
  int c = std::memcmp(a, key.data(), key.size());
  if (c != 0 || key.size() < hdr_.key_size) return c;
  return a_rec < b_rec ? -1 : a_rec > b_rec ? 1 : 0;
}

// Descends to the leaf position of the first entry not below (key, recno),
// or not below the key prefix when `with_rec` is false.
Status NtxIndex::LowerBound(std::string_view key, bool with_rec, uint32_t recno,
                            std::vector<Frame>* path) {
  path->clear();
  uint32_t page = hdr_.root;
  for (int depth = 0;; ++depth) {
    if (depth > kMaxDepth) return Status::Corrupt("indice danificado (ciclo): " + file_->path());
    char* p = nullptr;
    KAV_RETURN_IF_ERROR(Page(page, &p));
    PageView v{p, hdr_.item_size};
    int lo = 0, hi = v.count();
    while (lo < hi) {
      int mid = (lo + hi) / 2;
      int c = with_rec ? Compare(v.key(mid), key, v.recno(mid), recno)
                       : std::memcmp(v.key(mid), key.data(), key.size());
      if (c < 0) lo = mid + 1;
      else hi = mid;
    }
    path->push_back({page, lo});
    uint32_t child = v.child(lo);
    if (child == 0) return Status::Ok();
    page = child;
  }
}

// ---------------------------------------------------------------------------
// Cursor

Status NtxIndex::LoadCurrent() {
  char* p = nullptr;
  KAV_RETURN_IF_ERROR(Page(stack_.back().page, &p));
  PageView v{p, hdr_.item_size};
  cur_key_.assign(v.key(stack_.back().idx), hdr_.key_size);
  cur_recno_ = v.recno(stack_.back().idx);
  valid_ = true;
  stale_ = false;
  return Status::Ok();
}

Status NtxIndex::ClimbAfter() {
  stack_.pop_back();
  while (!stack_.empty()) {
    char* p = nullptr;
    KAV_RETURN_IF_ERROR(Page(stack_.back().page, &p));
    if (stack_.back().idx < PageView{p, hdr_.item_size}.count()) return LoadCurrent();
    stack_.pop_back();
  }
  valid_ = false;
  return Status::Ok();
}

Status NtxIndex::ClimbBefore() {
  stack_.pop_back();
  while (!stack_.empty()) {
    if (stack_.back().idx > 0) {
      --stack_.back().idx;
      return LoadCurrent();
    }
    stack_.pop_back();
  }
  valid_ = false;
  return Status::Ok();
}

Status NtxIndex::DescendLeftmost(uint32_t page) {
  for (;;) {
    if (stack_.size() > static_cast<size_t>(kMaxDepth))
      return Status::Corrupt("indice danificado (ciclo): " + path());
    char* p = nullptr;
    KAV_RETURN_IF_ERROR(Page(page, &p));
    PageView v{p, hdr_.item_size};
    stack_.push_back({page, 0});
    uint32_t child = v.child(0);
    if (child == 0) return v.count() > 0 ? LoadCurrent() : ClimbAfter();
    page = child;
  }
}

Status NtxIndex::DescendRightmost(uint32_t page) {
  for (;;) {
    if (stack_.size() > static_cast<size_t>(kMaxDepth))
      return Status::Corrupt("indice danificado (ciclo): " + path());
    char* p = nullptr;
    KAV_RETURN_IF_ERROR(Page(page, &p));
    PageView v{p, hdr_.item_size};
    int n = v.count();
    uint32_t child = v.child(n);
    if (child == 0) {
      stack_.push_back({page, n - 1});
      if (n == 0) {
        stack_.back().idx = 0;
        return ClimbBefore();
      }
      return LoadCurrent();
    }
    stack_.push_back({page, n});
    page = child;
  }
}

Status NtxIndex::First() {
  KAV_RETURN_IF_ERROR(ApplyPending());
  stack_.clear();
  return DescendLeftmost(hdr_.root);
}

Status NtxIndex::Last() {
  KAV_RETURN_IF_ERROR(ApplyPending());
  stack_.clear();
  return DescendRightmost(hdr_.root);
}

Status NtxIndex::Seek(std::string_view key, bool* exact) {
  KAV_RETURN_IF_ERROR(ApplyPending());
  if (key.size() > hdr_.key_size) key = key.substr(0, hdr_.key_size);
  KAV_RETURN_IF_ERROR(LowerBound(key, false, 0, &stack_));
  char* p = nullptr;
  KAV_RETURN_IF_ERROR(Page(stack_.back().page, &p));
  if (stack_.back().idx < PageView{p, hdr_.item_size}.count()) KAV_RETURN_IF_ERROR(LoadCurrent());
  else KAV_RETURN_IF_ERROR(ClimbAfter());
  *exact = valid_ && std::memcmp(cur_key_.data(), key.data(), key.size()) == 0;
  return Status::Ok();
}

Status NtxIndex::SeekEntry(std::string_view key, uint32_t recno) {
  KAV_RETURN_IF_ERROR(ApplyPending());
  KAV_RETURN_IF_ERROR(LowerBound(key, true, recno, &stack_));
  char* p = nullptr;
  KAV_RETURN_IF_ERROR(Page(stack_.back().page, &p));
  if (stack_.back().idx < PageView{p, hdr_.item_size}.count()) KAV_RETURN_IF_ERROR(LoadCurrent());
  else KAV_RETURN_IF_ERROR(ClimbAfter());
  // Equal keys from other writers may not be in record order: look along them.
  while (valid_ && cur_key_ == key && cur_recno_ != recno) {
    KAV_RETURN_IF_ERROR(Next());
  }
  if (!valid_ || cur_key_ != key) {
    // Not found in order: start again from the first equal key.
    bool exact = false;
    KAV_RETURN_IF_ERROR(Seek(key, &exact));
    while (valid_ && exact && cur_key_ == key && cur_recno_ != recno) KAV_RETURN_IF_ERROR(Next());
    if (!(valid_ && cur_key_ == key && cur_recno_ == recno)) {
      KAV_RETURN_IF_ERROR(LowerBound(key, true, recno, &stack_));
      KAV_RETURN_IF_ERROR(Page(stack_.back().page, &p));
      if (stack_.back().idx < PageView{p, hdr_.item_size}.count()) return LoadCurrent();
      return ClimbAfter();
    }
  }
  return Status::Ok();
}

Status NtxIndex::Next() {
  if (!valid_) return Status::Ok();
  KAV_RETURN_IF_ERROR(ApplyPending());
  if (stale_) {
    std::string key = cur_key_;
    uint32_t recno = cur_recno_;
    KAV_RETURN_IF_ERROR(SeekEntry(key, recno));
    if (!valid_ || cur_key_ != key || cur_recno_ != recno) return Status::Ok();
  }
  Frame& top = stack_.back();
  char* p = nullptr;
  KAV_RETURN_IF_ERROR(Page(top.page, &p));
  PageView v{p, hdr_.item_size};
  uint32_t child = v.child(top.idx + 1);
  ++top.idx;
  if (child != 0) return DescendLeftmost(child);
  if (top.idx < v.count()) return LoadCurrent();
  return ClimbAfter();
}

Status NtxIndex::Prev() {
  KAV_RETURN_IF_ERROR(ApplyPending());
  if (!valid_) return Status::Ok();
  if (stale_) {
    std::string key = cur_key_;
    uint32_t recno = cur_recno_;
    KAV_RETURN_IF_ERROR(SeekEntry(key, recno));
    if (!valid_) return Last();
  }
  Frame& top = stack_.back();
  char* p = nullptr;
  KAV_RETURN_IF_ERROR(Page(top.page, &p));
  PageView v{p, hdr_.item_size};
  uint32_t child = v.child(top.idx);
  if (child != 0) return DescendRightmost(child);
  if (top.idx > 0) {
    --top.idx;
    return LoadCurrent();
  }
  return ClimbBefore();
}

Status NtxIndex::ForEach(const std::function<Status(std::string_view, uint32_t)>& fn) {
  KAV_RETURN_IF_ERROR(First());
  uint64_t guard = 0;
  uint64_t limit = (cache_.file_end() / kPageSize + 1) * (hdr_.max_item + 1);
  while (valid_) {
    if (++guard > limit) return Status::Corrupt("indice danificado (ciclo): " + path());
    KAV_RETURN_IF_ERROR(fn(cur_key_, cur_recno_));
    KAV_RETURN_IF_ERROR(Next());
  }
  return Status::Ok();
}

// ---------------------------------------------------------------------------
// Maintenance

void NtxIndex::InsertLater(std::string_view key, uint32_t recno) {
  size_t at = pending_.size();
  pending_.resize(at + hdr_.key_size + 4);
  std::memcpy(&pending_[at], key.data(), hdr_.key_size);
  wr32(&pending_[at + hdr_.key_size], recno);
  if (++pending_count_ >= kPendingLimit) {
    // Applied at the next read or flush; the caller's next call reports errors.
    Status ignored = ApplyPending();
    (void)ignored;
  }
}

Status NtxIndex::ApplyPending() {
  if (pending_count_ == 0) return Status::Ok();
  size_t entry = hdr_.key_size + 4u;
  std::vector<uint32_t> order(pending_count_);
  std::iota(order.begin(), order.end(), 0);
  const char* base = pending_.data();
  std::stable_sort(order.begin(), order.end(), [&](uint32_t a, uint32_t b) {
    return std::memcmp(base + a * entry, base + b * entry, hdr_.key_size) < 0;
  });
  std::vector<char> batch;
  batch.swap(pending_);
  pending_count_ = 0;
  for (uint32_t i : order) {
    const char* e = batch.data() + i * entry;
    KAV_RETURN_IF_ERROR(Insert(std::string_view(e, hdr_.key_size), rd32(e + hdr_.key_size)));
  }
  return Status::Ok();
}

Status NtxIndex::Insert(std::string_view key, uint32_t recno) {
  if (key.size() != hdr_.key_size) return Status::Invalid("tamanho de chave errado: " + path());
  if (pending_count_) KAV_RETURN_IF_ERROR(ApplyPending());
  std::vector<Frame> path;
  if (hdr_.unique) {
    bool exact = false;
    KAV_RETURN_IF_ERROR(Seek(key, &exact));
    if (exact) return Status::Ok();
  }
  KAV_RETURN_IF_ERROR(LowerBound(key, true, recno, &path));
  stale_ = true;
  char* p = nullptr;
  KAV_RETURN_IF_ERROR(Page(path.back().page, &p));
  PageView v{p, hdr_.item_size};
  int n = v.count();
  if (n < hdr_.max_item) {  // room in the leaf: move slot offsets only
    int i = path.back().idx;
    int slot = v.off(n + 1);
    for (int k = n + 1; k > i; --k) v.set_off(k, v.off(k - 1));
    v.set_off(i, slot);
    wr32(v.item(i), 0);
    wr32(v.item(i) + 4, recno);
    std::memcpy(v.item(i) + 8, key.data(), hdr_.key_size);
    v.set_count(n + 1);
    cache_.MarkDirty(path.back().page);
    return Status::Ok();
  }
  Item item{0, recno, std::string(key)};
  return InsertAt(path, std::move(item), 0);
}

// Inserts `item` at the position of the last frame of `path`; a right sibling
// (after a split below) becomes the child after it. Splits upwards.
Status NtxIndex::InsertAt(std::vector<Frame>& path, Item item, uint32_t right_sibling) {
  for (;;) {
    Frame f = path.back();
    Node n;
    KAV_RETURN_IF_ERROR(LoadNode(f.page, &n));
    n.items.insert(n.items.begin() + f.idx, std::move(item));
    if (right_sibling) {
      size_t next = static_cast<size_t>(f.idx) + 1;
      if (next < n.items.size()) n.items[next].child = right_sibling;
      else n.right = right_sibling;
    }
    if (n.items.size() <= hdr_.max_item) return StoreNode(f.page, n);
    size_t mid = n.items.size() / 2;
    Node right;
    right.items.assign(std::make_move_iterator(n.items.begin() + mid + 1),
                       std::make_move_iterator(n.items.end()));
    right.right = n.right;
    Item sep = std::move(n.items[mid]);
    n.items.resize(mid);
    n.right = sep.child;
    uint32_t right_page = 0;
    KAV_RETURN_IF_ERROR(StoreNode(f.page, n));
    KAV_RETURN_IF_ERROR(NewNode(right, &right_page));
    sep.child = f.page;
    path.pop_back();
    if (path.empty()) {  // the root split: a new root above both halves
      Node root;
      root.items.push_back(std::move(sep));
      root.right = right_page;
      KAV_RETURN_IF_ERROR(NewNode(root, &hdr_.root));
      ++hdr_.version;
      header_dirty_ = true;
      return Status::Ok();
    }
    item = std::move(sep);
    right_sibling = right_page;
  }
}

Status NtxIndex::Remove(std::string_view key, uint32_t recno) {
  if (key.size() != hdr_.key_size) return Status::Invalid("tamanho de chave errado: " + path());
  KAV_RETURN_IF_ERROR(SeekEntry(key, recno));
  if (!valid_ || cur_key_ != key || cur_recno_ != recno) return Status::Ok();
  std::vector<Frame> path = stack_;
  stale_ = true;
  char* p = nullptr;
  KAV_RETURN_IF_ERROR(Page(path.back().page, &p));
  PageView v{p, hdr_.item_size};
  int i = path.back().idx;
  uint32_t child = v.child(i);
  if (child != 0) {
    // An inner key takes the place of its predecessor, the last key of the
    // rightmost leaf of its left subtree.
    uint32_t inner = path.back().page;
    uint32_t page = child;
    for (;;) {
      if (path.size() > static_cast<size_t>(kMaxDepth))
        return Status::Corrupt("indice danificado (ciclo): " + this->path());
      KAV_RETURN_IF_ERROR(Page(page, &p));
      PageView w{p, hdr_.item_size};
      int n = w.count();
      if (w.child(n) == 0) {
        if (n == 0) return Status::Corrupt("indice danificado (folha vazia): " + this->path());
        path.push_back({page, n - 1});
        break;
      }
      path.push_back({page, n});
      page = w.child(n);
    }
    PageView leaf{p, hdr_.item_size};
    std::string pred_key(leaf.key(leaf.count() - 1), hdr_.key_size);
    uint32_t pred_rec = leaf.recno(leaf.count() - 1);
    KAV_RETURN_IF_ERROR(Page(inner, &p));
    PageView in{p, hdr_.item_size};
    wr32(in.item(i) + 4, pred_rec);
    std::memcpy(in.item(i) + 8, pred_key.data(), hdr_.key_size);
    cache_.MarkDirty(inner);
  }
  return RemoveLeafItem(path);
}

// Removes the item at the last frame of `path` (a leaf) and rebalances.
Status NtxIndex::RemoveLeafItem(std::vector<Frame>& path) {
  char* p = nullptr;
  KAV_RETURN_IF_ERROR(Page(path.back().page, &p));
  PageView v{p, hdr_.item_size};
  int n = v.count();
  int i = path.back().idx;
  int slot = v.off(i);
  for (int k = i; k < n; ++k) v.set_off(k, v.off(k + 1));
  v.set_off(n, slot);
  wr32(v.item(n - 1), 0);
  v.set_count(n - 1);
  cache_.MarkDirty(path.back().page);
  if (n - 1 >= hdr_.half_page || path.size() == 1) return Status::Ok();
  return FixUnderflow(path);
}

// Restores the minimum fill of the page at the end of `path` by borrowing
// from a sibling or merging with one, upwards as far as needed.
Status NtxIndex::FixUnderflow(std::vector<Frame>& path) {
  while (path.size() > 1) {
    uint32_t xpage = path.back().page;
    Node x;
    KAV_RETURN_IF_ERROR(LoadNode(xpage, &x));
    if (x.items.size() >= hdr_.half_page) return Status::Ok();
    Frame pf = path[path.size() - 2];
    Node q;
    KAV_RETURN_IF_ERROR(LoadNode(pf.page, &q));
    size_t j = static_cast<size_t>(pf.idx);
    auto child_at = [&](size_t k) { return k < q.items.size() ? q.items[k].child : q.right; };
    if (child_at(j) != xpage) return Status::Corrupt("indice danificado (caminho): " + file_->path());
    Node left, right;
    uint32_t lpage = j > 0 ? child_at(j - 1) : 0;
    uint32_t rpage = j < q.items.size() ? child_at(j + 1) : 0;
    if (lpage) KAV_RETURN_IF_ERROR(LoadNode(lpage, &left));
    if (rpage) KAV_RETURN_IF_ERROR(LoadNode(rpage, &right));
    if (lpage && left.items.size() > hdr_.half_page) {
      Item& sep = q.items[j - 1];
      x.items.insert(x.items.begin(), Item{left.right, sep.recno, sep.key});
      Item last = std::move(left.items.back());
      left.items.pop_back();
      left.right = last.child;
      sep.key = std::move(last.key);
      sep.recno = last.recno;
      KAV_RETURN_IF_ERROR(StoreNode(lpage, left));
      KAV_RETURN_IF_ERROR(StoreNode(xpage, x));
      return StoreNode(pf.page, q);
    }
    if (rpage && right.items.size() > hdr_.half_page) {
      Item& sep = q.items[j];
      x.items.push_back(Item{x.right, sep.recno, sep.key});
      Item first = std::move(right.items.front());
      right.items.erase(right.items.begin());
      x.right = first.child;
      sep.key = std::move(first.key);
      sep.recno = first.recno;
      KAV_RETURN_IF_ERROR(StoreNode(rpage, right));
      KAV_RETURN_IF_ERROR(StoreNode(xpage, x));
      return StoreNode(pf.page, q);
    }
    // Merge x with a sibling around their separator; the right page is dropped.
    size_t s = lpage ? j - 1 : j;
    Node& a = lpage ? left : x;
    Node& b = lpage ? x : right;
    uint32_t apage = lpage ? lpage : xpage;
    if (!lpage && !rpage) return Status::Ok();
    a.items.push_back(Item{a.right, q.items[s].recno, q.items[s].key});
    for (Item& it : b.items) a.items.push_back(std::move(it));
    a.right = b.right;
    if (a.items.size() > hdr_.max_item) return Status::Ok();  // siblings of other writers; leave as is
    q.items.erase(q.items.begin() + static_cast<long>(s));
    if (s < q.items.size()) q.items[s].child = apage;
    else q.right = apage;
    KAV_RETURN_IF_ERROR(StoreNode(apage, a));
    if (q.items.empty() && path.size() == 2) {  // the root emptied: its only child takes over
      hdr_.root = apage;
      ++hdr_.version;
      header_dirty_ = true;
      return Status::Ok();
    }
    KAV_RETURN_IF_ERROR(StoreNode(pf.page, q));
    path.pop_back();
  }
  return Status::Ok();
}

// ---------------------------------------------------------------------------
// Building

namespace {

// Writes the pages of a new tree level by level as sorted entries stream in;
// the shape is planned from the entry count so that every page is filled
// evenly and no page is left empty.
class TreeBuilder {
 public:
  TreeBuilder(const NtxHeader& h, ReplacingFile* out, uint64_t count) : h_(h), out_(out) {
    uint64_t keys = count;
    for (;;) {
      Level L;
      uint64_t cap = h.max_item + 1u;
      L.nodes = keys == 0 ? 1 : (keys + 1 + cap - 1) / cap;
      uint64_t in_nodes = keys - (L.nodes - 1);
      L.base = in_nodes / L.nodes;
      L.extra = in_nodes % L.nodes;
      levels_.push_back(L);
      if (L.nodes == 1) break;
      keys = L.nodes - 1;
    }
  }

  Status Add(size_t level, std::string_view key, uint32_t recno, uint32_t child) {
    Level& L = levels_[level];
    if (L.keys.size() / h_.key_size == L.planned()) {
      L.right = child;
      uint32_t page = 0;
      KAV_RETURN_IF_ERROR(Emit(L, &page));
      ++L.done;
      if (level + 1 >= levels_.size()) return Status::Corrupt("plano de indice inconsistente");
      return Add(level + 1, key, recno, page);
    }
    L.keys.append(key.data(), key.size());
    L.recnos.push_back(recno);
    L.children.push_back(child);
    return Status::Ok();
  }

  Status Finish(uint32_t* root) {
    uint32_t below = 0;
    for (Level& L : levels_) {
      L.right = below;
      KAV_RETURN_IF_ERROR(Emit(L, &below));
    }
    *root = below;
    return Status::Ok();
  }

 private:
  struct Level {
    uint64_t nodes = 1, base = 0, extra = 0, done = 0;
    std::string keys;
    std::vector<uint32_t> recnos, children;
    uint32_t right = 0;
    uint64_t planned() const { return base + (done < extra ? 1 : 0); }
  };

  Status Emit(Level& L, uint32_t* page) {
    std::vector<std::string_view> keys;
    for (size_t i = 0; i < L.recnos.size(); ++i)
      keys.emplace_back(L.keys.data() + i * h_.key_size, h_.key_size);
    char buf[kPageSize];
    encode_node_into(buf, h_, keys, L.children, L.recnos, L.right);
    ++pages_;
    if (pages_ * kPageSize > 0xFFFFFC00ull) return Status::IoError("indice grande demais");
    *page = static_cast<uint32_t>(pages_ * kPageSize);
    L.keys.clear();
    L.recnos.clear();
    L.children.clear();
    return out_->Append(std::string_view(buf, kPageSize));
  }

  const NtxHeader& h_;
  ReplacingFile* out_;
  std::vector<Level> levels_;
  uint64_t pages_ = 0;
};

}  // namespace

Status NtxIndex::Build(const std::string& path, std::string_view expression, int key_size,
                       int decimals, bool unique, uint64_t count, const EntrySource& source) {
  NtxHeader h;
  ntx_geometry(key_size, &h);
  h.decimals = static_cast<uint16_t>(decimals);
  h.expression = std::string(expression);
  h.unique = unique;
  ReplacingFile out(path);
  KAV_RETURN_IF_ERROR(out.Open());
  KAV_RETURN_IF_ERROR(out.Append(std::string(kPageSize, '\0')));
  TreeBuilder builder(h, &out, count);
  uint64_t seen = 0;
  for (;;) {
    std::string_view key;
    uint32_t recno = 0;
    bool more = false;
    KAV_RETURN_IF_ERROR(source(&key, &recno, &more));
    if (!more) break;
    if (key.size() != static_cast<size_t>(key_size) || ++seen > count)
      return Status::Invalid("entradas de indice inconsistentes: " + path);
    KAV_RETURN_IF_ERROR(builder.Add(0, key, recno, 0));
  }
  if (seen != count) return Status::Invalid("entradas de indice inconsistentes: " + path);
  KAV_RETURN_IF_ERROR(builder.Finish(&h.root));
  KAV_RETURN_IF_ERROR(out.WriteAt(0, encode_header(h)));
  return out.Commit();
}

}  // namespace kav::xbase
