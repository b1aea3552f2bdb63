# What the packages say about the product and where a release is published,
# in one place. Sourced by build-packages.sh and sign.sh.
product='Quillane PopUp Blocker'
product_url='https://quillane.example/popup-blocker'
# The folder of one version's downloads; the manifests for winget and Scoop
# point into it.
release_url() { # version
  echo "$product_url/releases/$1"
}
# The MSI's upgrade code never changes: a newer MSI replaces an older one,
# and the setup program refuses while a product with this code is installed.
upgrade_code='6E0C2D4B-7A31-4F8E-9B52-3C1D8A6F0E47'
