#!/usr/bin/perl
# Walks an NTX index with Perl's XBase::Index and prints every entry in the
# order the module returns it: the key, a tab, the record number. Keys of
# type C (the default) print as hex; type N keys as the number Perl decodes.
use strict;
use warnings;
use XBase::Index;

my ($file, $type) = (@ARGV, 'C');
my $index = XBase::Index->new($file, type => $type)
    or die "XBase::Index: " . XBase::Index->errstr . "\n";
$index->prepare_select or die "prepare_select failed\n";
while (my ($key, $recno) = $index->fetch) {
    print $type eq 'N' ? $key : unpack('H*', $key), "\t", $recno, "\n";
}
