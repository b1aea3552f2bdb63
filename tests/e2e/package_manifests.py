"""The manifests for winget and Scoop that scripts/package writes beside the
packages in $1: their hashes and codes are those of the files beside them,
every field winget's 1.12.0 schema requires is there in its form, and Scoop
finds the program and the exceptions file in the ZIP."""
import hashlib, json, pathlib, re, subprocess, sys, zipfile
import yaml

folder = pathlib.Path(sys.argv[1])
failures = []
check = lambda ok, what: ok or failures.append(what)
sha256 = lambda url: hashlib.sha256((folder / url.rsplit("/", 1)[1]).read_bytes()).hexdigest()
zip_path = next(folder.glob("QuillanePopUpBlocker-*-win32.zip"))
version = re.match(r"QuillanePopUpBlocker-(.+)-win32\.zip", zip_path.name)[1]
msi = subprocess.run(["msiinfo", "export", str(next(folder.glob("*.msi"))), "Property"],
                     capture_output=True, text=True, check=True).stdout
msi_property = lambda name: re.search(rf"^{name}\t(\S+)", msi, re.M)[1]

# From winget's 1.12.0 schema: required fields and the identifier's pattern.
required = {
    "version": ["DefaultLocale"],
    "defaultLocale": ["PackageLocale", "Publisher", "PackageName", "License", "ShortDescription"],
    "installer": ["Installers"],
}
identifier = r'^[^.\s\\/:*?"<>|\x01-\x1f]{1,32}(\.[^.\s\\/:*?"<>|\x01-\x1f]{1,32}){1,7}$'
winget = [yaml.safe_load(p.read_text()) for p in sorted((folder / "winget").glob("*.yaml"))]
check(sorted(m.get("ManifestType") for m in winget) == sorted(required), "winget: manifest types")
for m in winget:
    kind = m.get("ManifestType")
    missing = [f for f in required.get(kind, []) if not m.get(f)]
    check(not missing, f"winget {kind}: missing {missing}")
    check(m.get("ManifestVersion") == "1.12.0", f"winget {kind}: ManifestVersion")
    check(re.match(identifier, m.get("PackageIdentifier", "")) and m["PackageIdentifier"] == "Quillane.PopUpBlocker",
          f"winget {kind}: PackageIdentifier")
    check(m.get("PackageVersion") == version, f"winget {kind}: PackageVersion")
installers = next((m["Installers"] for m in winget if m.get("ManifestType") == "installer"), [])
check(sorted(i.get("InstallerType") for i in installers) == ["msi", "nullsoft"], "winget: installer types")
for i in installers:
    kind = i.get("InstallerType")
    check((i.get("Architecture"), i.get("Scope"), i.get("ElevationRequirement")) == ("x86", "user", "elevationProhibited"),
          f"winget {kind}: architecture, scope or elevation")
    check(re.match(r"^https?://", i["InstallerUrl"]) and i["InstallerSha256"].lower() == sha256(i["InstallerUrl"]),
          f"winget {kind}: URL or hash")
    if kind == "msi":
        codes = (i.get("ProductCode"), i["AppsAndFeaturesEntries"][0].get("UpgradeCode"))
        check(codes == (msi_property("ProductCode"), msi_property("UpgradeCode")), f"winget msi: codes {codes}")

scoop = json.loads((folder / "quillane-popupblocker.json").read_text())
check(all(scoop.get(f) for f in ("description", "homepage", "license")), "scoop: description, homepage or license")
check(scoop.get("version") == version, "scoop: version")
check(scoop["architecture"]["32bit"]["hash"] == sha256(scoop["architecture"]["32bit"]["url"]), "scoop: hash")
in_zip = set(zipfile.ZipFile(zip_path).namelist())
for name in [scoop["shortcuts"][0][0], scoop.get("persist")]:
    check(f"{scoop.get('extract_dir')}/{name}" in in_zip, f"scoop: {name} is not in the ZIP's extract_dir")
print("\n".join(failures) or "manifests: consistent with the packages")
sys.exit(1 if failures else 0)
