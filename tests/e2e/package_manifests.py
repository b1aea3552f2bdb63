"""The winget and Scoop manifests beside the packages in $1: the files' hashes and codes, winget's
1.12.0 required fields in their form, the program and list where Scoop looks; the MSI's tables by the rules of
Windows Installer's file versioning and validation (ICE38, ICE64, ICE68)."""
import hashlib, json, pathlib, re, struct, subprocess, sys, zipfile, yaml

folder, failures = pathlib.Path(sys.argv[1]), []
check = lambda ok, what: ok or failures.append(what)
sha256 = lambda url: hashlib.sha256((folder / url.rsplit("/", 1)[1]).read_bytes()).hexdigest()
zip_path = next(folder.glob("QuillanePopUpBlocker-*-win32.zip"))
version = re.match(r"QuillanePopUpBlocker-(.+)-win32\.zip", zip_path.name)[1]
table = lambda name: [row.split("\t") for row in subprocess.run(["msiinfo", "export", next(folder.glob("*.msi")), name],
                     capture_output=True, text=True).stdout.replace("\r", "").splitlines()[3:]]
codes = [next(r[1] for r in table("Property") if r[0] == name) for name in ("ProductCode", "UpgradeCode")]
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
files, components = ({r[0]: r for r in table(name)} for name in ("File", "Component"))
program_folder = components[files["Stilvane.exe"][1]][2]
check(installers["msi"].get("InstallerSwitches", {}).get("InstallLocation") == f'{program_folder}="<INSTALLPATH>"',
      "winget msi: no install-location switch for the program's folder")
check([installers["msi"]["ProductCode"], installers["msi"]["AppsAndFeaturesEntries"][0]["UpgradeCode"]] == codes,
      "winget msi: product or upgrade code")
raw = (folder / "quillane-popupblocker.json").read_bytes()
check(raw.endswith(b"\r\n") and b"\n" not in raw.replace(b"\r\n", b"") and not raw.startswith(b"\xef\xbb\xbf")
      and not re.search(rb"[ \t]\r|^ *\t", raw, re.M), "scoop: not CR LF lines without BOM, trailing blanks, tabs")
scoop = json.loads(raw)
# Scoop's reset links a persisted file's kept copy back over the program's newer list: the hooks keep it.
hooks = {kind: "\n".join(scoop.get(kind, [])) for kind in ("pre_install", "pre_uninstall")}
check("popup-exp.ini" not in json.dumps(scoop.get("persist", []))
      and all("$persist_dir" in h and "popup-exp.ini" in h for h in hooks.values()), "scoop: the list is not kept by the hooks")
check(all(scoop.get(f) for f in ("description", "homepage", "license")) and scoop.get("version") == version, "scoop")
check(scoop["architecture"]["32bit"]["hash"] == sha256(scoop["architecture"]["32bit"]["url"]), "scoop: hash")
for name in (scoop["shortcuts"][0][0], "popup-exp.ini"):
    check(f"{scoop.get('extract_dir')}/{name}" in zipfile.ZipFile(zip_path).namelist(), f"scoop: no {name} in the ZIP")
# Versioned files carry their version resource's version, and no hash (which would make them unversioned).
hashed = {r[0] for r in table("MsiFileHash")}
for key, (_, _, name, _, msi_version, language, *_) in files.items():
    data = zipfile.ZipFile(zip_path).read(f"{zip_path.stem}/{name.split('|')[-1]}")
    at = data.find(b"\xbd\x04\xef\xfe") if data[:2] == b"MZ" else -1
    version = "{1}.{0}.{3}.{2}".format(*struct.unpack_from("<4H", data, at + 8)) if at >= 0 else ""
    check([msi_version, bool(language), key in hashed] == [version, bool(version), not version], f"msi: version of {name}")
# In the profile, ICE38: components known by HKCU values; ICE64: folders removed; ICE68: no elevated immediate action.
parents, standard = {r[0]: r[1] for r in table("Directory")}, {"LocalAppDataFolder", "AppDataFolder", "ProgramMenuFolder"}
in_profile = lambda d: d in standard or (bool(parents.get(d)) and in_profile(parents[d]))
for name, (_, _, directory, attributes, _, key_path) in components.items():
    check(not in_profile(directory) or (int(attributes) & 4 and [key_path, "1"] in [r[:2] for r in table("Registry")]),
          f"msi: ICE38 {name}")
for directory in set(parents) - standard - {r[3] for r in table("RemoveFile")}:
    check(not in_profile(directory), f"msi: ICE64 {directory}")
check(all(int(r[1]) & 0xC00 != 0x800 for r in table("CustomAction")), "msi: ICE68")
check(["1", "Software\\Quillane\\Stilvane", "-"] in [r[1:4] for r in table("Registry")], "msi: no Registry row removing the controller's key")
print("\n".join(failures) or "manifests: consistent with the packages")
sys.exit(1 if failures else 0)
