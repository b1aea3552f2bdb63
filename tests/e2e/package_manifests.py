"""The winget and Scoop manifests beside the packages in $1: the files' hashes and codes, winget's
1.12.0 required fields in their form, and the program and exceptions file where Scoop looks."""
import hashlib, json, pathlib, re, subprocess, sys, zipfile, yaml

folder, failures = pathlib.Path(sys.argv[1]), []
check = lambda ok, what: ok or failures.append(what)
sha256 = lambda url: hashlib.sha256((folder / url.rsplit("/", 1)[1]).read_bytes()).hexdigest()
zip_path = next(folder.glob("QuillanePopUpBlocker-*-win32.zip"))
version = re.match(r"QuillanePopUpBlocker-(.+)-win32\.zip", zip_path.name)[1]
msi = subprocess.run(["msiinfo", "export", next(folder.glob("*.msi")), "Property"], capture_output=True).stdout
codes = [re.search(rf"^{name}\t(\S+)", msi.decode(), re.M)[1] for name in ("ProductCode", "UpgradeCode")]
identifier = r'^[^.\s\\/:*?"<>|\x01-\x1f]{1,32}(\.[^.\s\\/:*?"<>|\x01-\x1f]{1,32}){1,7}$'
required = {"version": ["DefaultLocale"], "installer": ["Installers"],
            "defaultLocale": ["PackageLocale", "Publisher", "PackageName", "License", "ShortDescription"]}
winget = {m.get("ManifestType"): m for m in (yaml.safe_load(p.read_text()) for p in (folder / "winget").glob("*"))}
check(sorted(winget) == sorted(required), f"winget: manifests {sorted(winget)}")
for kind, m in winget.items():
    check(all(m.get(f) for f in required.get(kind, [])) and m.get("ManifestVersion") == "1.12.0"
          and m.get("PackageVersion") == version and re.match(identifier, m["PackageIdentifier"]), f"winget {kind}")
installers = {i.get("InstallerType"): i for i in winget.get("installer", {}).get("Installers", [])}
check(sorted(installers) == ["msi", "nullsoft"], f"winget: installer types {sorted(installers)}")
for kind, i in installers.items():
    check([i.get("Architecture"), i.get("Scope"), i.get("ElevationRequirement"), i["InstallerUrl"][:8]]
          == ["x86", "user", "elevationProhibited", "https://"], f"winget {kind}: architecture, scope, elevation")
    check(i["InstallerSha256"].lower() == sha256(i["InstallerUrl"]), f"winget {kind}: hash")
check([installers["msi"]["ProductCode"], installers["msi"]["AppsAndFeaturesEntries"][0]["UpgradeCode"]] == codes,
      "winget msi: product or upgrade code")
scoop = json.loads((folder / "quillane-popupblocker.json").read_text())
check(all(scoop.get(f) for f in ("description", "homepage", "license")) and scoop.get("version") == version, "scoop")
check(scoop["architecture"]["32bit"]["hash"] == sha256(scoop["architecture"]["32bit"]["url"]), "scoop: hash")
for name in (scoop["shortcuts"][0][0], scoop.get("persist")):
    check(f"{scoop.get('extract_dir')}/{name}" in zipfile.ZipFile(zip_path).namelist(), f"scoop: no {name} in the ZIP")
print("\n".join(failures) or "manifests: consistent with the packages")
sys.exit(1 if failures else 0)
