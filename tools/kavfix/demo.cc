#include "demo.h"

#include "reference_kit.h"

namespace kav::kavfix {

InstallSpec demo_spec() {
  InstallSpec spec;
  spec.uf = kDemoUf;
  spec.municipality = kDemoMunicipality;
  spec.competence = kDemoCompetence;
  spec.name = kDemoMunicipalityName;
  spec.condition = kDemoCondition;
  // As after a registry import with the mapping version the kit asks for,
  // so that the entries that need the mapping run.
  spec.mapping_version = kDemoMappingVersion;
  return spec;
}

Status make_demo(const std::string& dir, bool force, const std::string& cadcheck_folder) {
  InstallSpec spec = demo_spec();
  spec.cadcheck_folder = cadcheck_folder;
  KAV_RETURN_IF_ERROR(complete_spec(&spec));
  return install(dir, spec, force, [&](const std::string& folder) {
    return write_demo_kit(folder, spec.competence);
  });
}

}  // namespace kav::kavfix
