#include "store/workspace.h"

#include "base/latin1.h"

namespace kav {

Status Workspace::Open(const std::string& path, std::string_view alias, const CatalogEntry* entry) {
  KAV_RETURN_IF_ERROR(Close(alias));
  std::unique_ptr<xbase::Table> t;
  KAV_RETURN_IF_ERROR(xbase::Table::Open(path, &t));
  Adopt(std::move(t), path, alias, entry);
  return Status::Ok();
}

void Workspace::Adopt(std::unique_ptr<xbase::Table> table, const std::string& path,
                      std::string_view alias, const CatalogEntry* entry) {
  auto area = std::make_unique<WorkArea>();
  area->alias = latin1_upper(alias);
  area->path = path;
  area->entry = entry;
  area->table = std::move(table);
  selected_ = area->alias;
  areas_.push_back(std::move(area));
}

WorkArea* Workspace::find(std::string_view alias) {
  std::string upper = latin1_upper(alias);
  for (auto& a : areas_)
    if (a->alias == upper) return a.get();
  return nullptr;
}

xbase::Table* Workspace::table(std::string_view alias) {
  WorkArea* a = find(alias);
  return a ? a->table.get() : nullptr;
}

bool Workspace::Select(std::string_view alias) {
  WorkArea* a = find(alias);
  if (a == nullptr) return false;
  selected_ = a->alias;
  return true;
}

WorkArea* Workspace::selected() { return find(selected_); }

Status Workspace::Close(std::string_view alias) {
  std::string upper = latin1_upper(alias);
  for (size_t i = 0; i < areas_.size(); ++i) {
    if (areas_[i]->alias != upper) continue;
    Status st = areas_[i]->table->Close();
    areas_.erase(areas_.begin() + static_cast<std::ptrdiff_t>(i));
    if (selected_ == upper) selected_.clear();
    return st;
  }
  return Status::Ok();
}

Status Workspace::CloseAll() {
  Status first;
  for (auto& a : areas_) {
    Status st = a->table->Close();
    if (first.ok()) first = st;
  }
  areas_.clear();
  selected_.clear();
  return first;
}

}  // namespace kav
