#!/usr/bin/perl
# Attacks on the enforcement chain, end to end: cleartool-sim with the security script
# installed as the VOB's triggers (administrator admin1), checkout of main.c restricted to
# bob. Each attack runs as eve from a fresh set-up; afterwards eve's checkout must still be
# refused, the setting must be unchanged and both trigger types must still be there.
# Administrators' own writes are checked to keep working.
# Usage: perl red_team.pl --emulator <cleartool-sim> [--script <trigger script>]
use strict;
use warnings;
use File::Basename qw(dirname);
use File::Copy qw(copy);
use File::Path qw(make_path);
use File::Spec;
use File::Temp qw(tempdir);
use Getopt::Long;

my $here = File::Spec->rel2abs(dirname(__FILE__));
my $script = File::Spec->catfile($here, '..', '..', 'trigger', '_qx_security_trigger.pl');
my $emulator;
GetOptions('script=s' => \$script, 'emulator=s' => \$emulator) or die "bad arguments\n";
die "--emulator is required\n" unless $emulator;
($script, $emulator) = map { File::Spec->rel2abs($_) } ($script, $emulator);

my $sandbox = tempdir(CLEANUP => 1);
my $MAIN = 'm:\bob_dev\proj\src\main.c';
my $VERSION = "$MAIN\@\@/main/0";
my $ROOT = 'm:\bob_dev\proj\.@@/main/0';
my @TRIGGERS = ('_KORVANE_SECURITY1', '_KORVANE_SECURITY2');

# Decoys an attacker plants: modules and a script that let everything through, a cleartool
# that claims there is no setting.
my $decoys = tempdir(CLEANUP => 1);
make_path("$decoys/lib", "$decoys/bin", "$decoys/drive/triggers");
writeFile("$decoys/lib/$_.pm", "package $_;\nexit 0;\n1;\n") for qw(strict warnings Fcntl);
writeFile("$decoys/drive/triggers/_qx_security_trigger.pl", "exit 0;\n");
writeFile("$decoys/bin/cleartool", "#!/bin/sh\nprintf 'version\\n%s\\n/main/0\\n' \"\$4\" | sed 's/\@\@.*//'\n");
writeFile("$decoys/true", "#!/bin/sh\nexit 0\n");
chmod(0755, "$decoys/bin/cleartool", "$decoys/true");

my %eve = (user => 'eve');
my @attacks = (
    ['settings', 'remove the element setting', [['rmattr', '-nc', '__checkout', $VERSION]]],
    ['settings', 'replace the element setting with oneself', [['mkattr', '-replace', '-nc', '__checkout', '"eve"', $VERSION]]],
    ['settings', 'record a privileged list that moves checkout to the root',
     [['mkattr', '-replace', '-nc', 'QX_PRIVOPER', '"checkout"', $ROOT]]],
    ['settings', 'redefine the setting attribute type', [['mkattype', '-replace', '-vtype', 'string', '-nc', '__checkout@\proj']]],
    ['triggers', 'remove the element trigger type', [['rmtype', '-nc', 'trtype:_KORVANE_SECURITY1@\proj']]],
    ['triggers', 'remove it skipping the triggers', [['rmtype', '-ignore', '-rmall', '-force', '-nc', 'trtype:_KORVANE_SECURITY1@\proj']]],
    ['triggers', 'remove the type trigger type first', [['rmtype', '-ignore', '-nc', 'trtype:_KORVANE_SECURITY2@\proj'],
                                                        ['rmtype', '-nc', 'trtype:_KORVANE_SECURITY1@\proj']]],
    ['triggers', 'replace the element trigger with one that allows',
     [['mktrtype', '-replace', '-element', '-all', '-preop', 'checkout', '-exec', 'perl -e 0', '-nc', '_KORVANE_SECURITY1@\proj']]],
    ['triggers', 'rename and lock the trigger types', [['rntype', '-nc', 'trtype:_KORVANE_SECURITY2@\proj', 'X'],
                                                       ['lock', '-nc', 'trtype:_KORVANE_SECURITY1@\proj']]],
    ['environment', 'name another cleartool for the script', [], { ZAN_CLEARTOOL => "$decoys/true" }],
    ['environment', 'put a lying cleartool first on the PATH', [], { PATH => "$decoys/bin:$ENV{PATH}" }],
    ['environment', 'load Perl modules of ones own', [], { PERL5LIB => "$decoys/lib", PERLLIB => "$decoys/lib" }],
    ['environment', 'pass Perl options', [], { PERL5OPT => "-I$decoys/lib -w" }],
    ['environment', 'map drive c to a folder of ones own', [], { ZAN_DRIVES => "c=$decoys/drive" }],
    ['environment', 'leave no room for the scripts temporary file', [], { TMPDIR => "$decoys/none", TEMP => "$decoys/none" }],
    ['names', 'make an element named ..', [['mkelem', '-nc', 'm:\bob_dev\proj\src\..']]],
);

my ($passed, $failed) = (0, 0);
foreach my $attack (@attacks) {
    my ($category, $name, $commands, $env) = @$attack;
    setUp();
    simulate('eve', $env || {}, @$_) for @$commands;
    report("$category: $name", intact($env || {}));
}
# What administrators do with the settings keeps working.
setUp();
my @adminWrites = (['mkattr', '-replace', '-nc', '__checkout', '"bob,carol"', $VERSION], ['rmattr', '-nc', 'QX_GROUPS', $VERSION],
                   ['mkattype', '-vtype', 'string', '-nc', '__mkbranch@\proj'],
                   ['mkattr', '-replace', '-nc', 'QX_PRIVOPER', '"rmelem"', $ROOT]);
my @refusedAdmin = grep { my ($status, $out) = simulate('admin1', {}, @$_); $status != 0 } @adminWrites;
report('administrators: their writes pass', @refusedAdmin ? ('refused: ' . join('; ', map { "@$_" } @refusedAdmin)) : ());
print "$passed passed, $failed failed\n";
exit($failed ? 1 : 0);

sub report {
    my ($name, @problems) = @_;
    if (@problems) {
        $failed++;
        print "FAIL: $name\n", map { "    $_\n" } @problems;
    } else {
        $passed++;
    }
}

sub setUp {
    my $action = 'perl c:\triggers\_qx_security_trigger.pl m admin1';
    my @commands = (
        ['mktrtype', '-replace', '-element', '-all', '-preop', 'MODIFY_DATA,MODIFY_ELEM,MODIFY_MD', '-nusers', 'zansetup',
         '-exec', $action, '-nc', '_KORVANE_SECURITY1@\proj'],
        ['mktrtype', '-replace', '-type', '-preop', 'MODIFY_TYPE', '-nusers', 'zansetup',
         (map { ("-$_", '-all') } qw(attype brtype eltype hltype lbtype trtype)), '-exec', $action, '-nc', '_KORVANE_SECURITY2@\proj'],
        ['mkattype', '-vtype', 'string', '-nc', '__checkout@\proj'], ['mkattype', '-vtype', 'string', '-nc', 'QX_GROUPS@\proj'],
        ['mkattype', '-vtype', 'string', '-nc', 'QX_PRIVOPER@\proj'],
        ['mkattr', '-replace', '-nc', '__checkout', '"bob"', $VERSION], ['mkattr', '-replace', '-nc', 'QX_GROUPS', '"dev"', $VERSION],
        ['rmattr', '-nc', 'QX_PRIVOPER', $ROOT]);
    if (!-d "$sandbox/drives") {
        simulate('zansetup', {}, 'lsvob', '-s');
        make_path("$sandbox/drives/c/triggers");
        copy($script, "$sandbox/drives/c/triggers/_qx_security_trigger.pl") or die "copy: $!\n";
    }
    foreach my $words (@commands) {
        my ($status, $out) = simulate('zansetup', {}, @$words);
        die "set-up failed: @$words: $out\n" if $status != 0 && $words->[0] ne 'mkattype' && $words->[0] ne 'rmattr';
    }
}

sub intact {
    my ($env) = @_;
    my @problems;
    my ($status, $out) = simulate('eve', $env, 'checkout', '-nc', $MAIN);
    push @problems, "eve's checkout was not refused by the security trigger: $out"
        unless $status == 1 && $out =~ /^Zan Utility: eve may not checkout/m && $out =~ /has refused to let checkout proceed/;
    my (undef, $setting) = simulate('zansetup', {}, 'describe', '-fmt', '%[__checkout]a', $VERSION);
    push @problems, "the setting changed: $setting" unless $setting eq '(__checkout="bob")';
    my (undef, $types) = simulate('zansetup', {}, 'lstype', '-kind', 'trtype', '-short', '-invob', '\proj');
    foreach my $type (@TRIGGERS) {
        push @problems, "trigger type $type is gone" unless $types =~ /^\Q$type\E$/m;
    }
    return @problems;
}

sub simulate {
    my ($user, $env, @words) = @_;
    local %ENV = %ENV;
    delete $ENV{$_} for grep { /^(CLEARCASE_|PERL|ZAN_)/ } keys %ENV;
    %ENV = (%ENV, ZAN_SANDBOX => $sandbox, CLEARCASE_USER => $user, %$env);
    my $viewFolder = "$sandbox/drives/m/bob_dev/proj";
    $ENV{PWD} = $viewFolder;
    my $output = "$sandbox/output.txt";
    my $pid = fork();
    die "fork: $!\n" unless defined $pid;
    if ($pid == 0) {
        chdir(-d $viewFolder ? $viewFolder : $sandbox) or die "chdir: $!\n";
        open(STDOUT, '>', $output) or die "redirect: $!\n";
        open(STDERR, '>&', \*STDOUT) or die "redirect: $!\n";
        exec { $emulator } $emulator, @words or die "exec $emulator: $!\n";
    }
    waitpid($pid, 0);
    my $status = $? >> 8;
    open(my $in, '<', $output) or return ($status, '');
    local $/;
    my $text = <$in>;
    close($in);
    $text =~ s/\n$//;
    return ($status, $text);
}

sub writeFile {
    my ($file, $text) = @_;
    open(my $out, '>', $file) or die "cannot write $file: $!\n";
    print $out $text;
    close($out);
}
